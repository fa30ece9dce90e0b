#include "platform/Mci.h"

namespace platform {

QString mciErrorText(int32_t error)
{
    struct Text {
        int32_t number;
        const char* text;
    };
    static constexpr Text texts[] = {
        {mcierr::InvalidDeviceId, "Invalid device id. Use the id given to the device when it was opened."},
        {mcierr::UnrecognizedKeyword, "The command holds a keyword this device does not know."},
        {mcierr::UnrecognizedCommand, "The command is not a known multimedia command."},
        {mcierr::HardwareError, "The media device reported a problem. Check that it works."},
        {mcierr::InvalidDeviceName, "The device is not open or is not known."},
        {mcierr::CannotLoadDriver, "Error load media device driver."},
        {mcierr::MissingCommandString, "No command was given."},
        {mcierr::BadInteger, "A number in the command is not a valid whole number."},
        {mcierr::MissingParameter, "The command needs a further parameter."},
        {mcierr::UnsupportedFunction, "Action not available for this device."},
        {mcierr::FileNotFound, "Invalid filename. The media file was not found."},
        {mcierr::DeviceNotReady, "The sound cannot be played: no working sound output was found. Check the sound settings."},
        {mcierr::OutOfRange, "A position or value in the command is out of range."},
        {mcierr::DeviceTypeRequired, "The device type could not be told from the file name; give a type."},
        {mcierr::DuplicateAlias, "The alias is already in use by this program. Use another alias."},
        {mcierr::BadConstant, "A value in the command is not one this command takes."},
        {mcierr::MissingDeviceName, "The command needs a device name or alias."},
        {mcierr::BadTimeFormat, "The time format is not one this device takes."},
        {mcierr::NoClosingQuote, "A double quote in the command is not closed."},
        {mcierr::InvalidFile, "The file cannot be played: it is damaged or of a kind the device cannot play."},
        {mcierr::FilenameRequired, "The command needs a file name."},
    };
    for (const Text& t : texts) {
        if (t.number == error)
            return QString::fromLatin1(t.text);
    }
    return {};
}

} // namespace platform
