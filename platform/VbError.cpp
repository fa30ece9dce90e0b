#include "platform/VbError.h"

namespace platform {

VbError::VbError(int errorNumber, const QString& errorDescription)
    : std::runtime_error(errorDescription.toStdString()), number(errorNumber), description(errorDescription)
{
}

VbError::VbError(int errorNumber) : VbError(errorNumber, vbErrorDescription(errorNumber)) {}

VbError VbError::about(int errorNumber, const QString& nativePath)
{
    // Every message shows the description, so that is where the file or folder is named; it is
    // made whole before the error is, so what() says the same.
    VbError error(errorNumber, vbErrorDescription(errorNumber) + QStringLiteral(": ") + nativePath);
    error.path = nativePath;
    return error;
}

QString vbErrorDescription(int number)
{
    struct Text {
        int number;
        const char* text;
    };
    static constexpr Text texts[] = {
        {vberr::ReturnWithoutGoSub, "Return without GoSub"},
        {vberr::InvalidCall, "Invalid procedure call or argument"},
        {vberr::Overflow, "Overflow"},
        {vberr::OutOfMemory, "Out of memory"},
        {vberr::SubscriptOutOfRange, "Subscript out of range"},
        {vberr::DivisionByZero, "Division by zero"},
        {vberr::TypeMismatch, "Type mismatch"},
        {vberr::BadFileName, "Bad file name or number"},
        {vberr::FileNotFound, "File not found"},
        {vberr::BadFileMode, "Bad file mode"},
        {vberr::FileAlreadyOpen, "File already open"},
        {vberr::DeviceIO, "Device I/O error"},
        {vberr::FileAlreadyExists, "File already exists"},
        {vberr::DiskFull, "Disk full"},
        {vberr::InputPastEnd, "Input past end of file"},
        {vberr::TooManyFiles, "Too many files"},
        {vberr::DeviceUnavailable, "Device unavailable"},
        {vberr::PermissionDenied, "Permission denied"},
        {vberr::DiskNotReady, "Disk not ready"},
        {vberr::RenameAcrossDrives, "Can't rename with different drive"},
        {vberr::PathFileAccess, "Path/File access error"},
        {vberr::PathNotFound, "Path not found"},
        {vberr::ObjectNotSet, "Object variable or With block variable not set"},
        {vberr::ControlArrayElementMissing, "Control array element doesn't exist"},
        {vberr::InvalidPropertyValue, "Invalid property value"},
        {vberr::ObjectRequired, "Object required"},
        {vberr::InvalidPicture, "Invalid picture"},
        {vberr::IndexOutOfBounds, "Index out of bounds"},
    };
    for (const Text& t : texts) {
        if (t.number == number)
            return QString::fromLatin1(t.text);
    }
    return QStringLiteral("Application-defined or object-defined error");
}

} // namespace platform
