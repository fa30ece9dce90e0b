#include "platform/VbError.h"

namespace platform {

VbError::VbError(int number) : VbError(number, vbErrorDescription(number)) {}

VbError VbError::about(int number, const QString& nativePath)
{
    VbError error(number);
    error.path = nativePath;
    // Every message shows the description, so that is where the file or folder is named.
    error.description += QStringLiteral(": ") + nativePath;
    return error;
}

QString vbErrorDescription(int number)
{
    struct Text {
        int number;
        const char* text;
    };
    static constexpr Text texts[] = {
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {54, "Bad file mode"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {58, "File already exists"},
        {61, "Disk full"},
        {62, "Input past end of file"},
        {67, "Too many files"},
        {68, "Device unavailable"},
        {70, "Permission denied"},
        {71, "Disk not ready"},
        {74, "Can't rename with different drive"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {91, "Object variable or With block variable not set"},
        {340, "Control array element doesn't exist"},
        {424, "Object required"},
    };
    for (const Text& t : texts) {
        if (t.number == number)
            return QString::fromLatin1(t.text);
    }
    return QStringLiteral("Application-defined or object-defined error");
}

} // namespace platform
