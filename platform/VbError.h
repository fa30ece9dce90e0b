#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// The run-time error numbers the program raises and compares, by name. Each one's description
// text stands beside it in vbErrorDescription's table.
namespace vberr {
// An error with no number of its own (one from outside the program's code): it takes the text
// of every number the table does not hold.
constexpr int Unnumbered = 0;
constexpr int ReturnWithoutGoSub = 3;
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIO = 57;
constexpr int FileAlreadyExists = 58;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int TooManyFiles = 67;
constexpr int DeviceUnavailable = 68;
constexpr int PermissionDenied = 70;
constexpr int DiskNotReady = 71;
constexpr int RenameAcrossDrives = 74;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;
constexpr int ControlArrayElementMissing = 340;
constexpr int InvalidPropertyValue = 380;
constexpr int ObjectRequired = 424;
constexpr int InvalidPicture = 481;
constexpr int IndexOutOfBounds = 35600;
} // namespace vberr

// A run-time error as the program reports it: its number and its description text.
struct VbError : std::runtime_error {
    // The error with a description of its own (one that names the item concerned, say).
    VbError(int errorNumber, const QString& errorDescription);
    // The error with the standard description text of its number.
    explicit VbError(int errorNumber);
    // The same error about one file or folder, whose native path the description names.
    static VbError about(int errorNumber, const QString& nativePath);
    int number;
    QString description;
    // The native path of the file or folder concerned, where the message should name it.
    QString path;
};

// The standard description text of a run-time error number ("Application-defined or
// object-defined error" for numbers the table does not hold).
QString vbErrorDescription(int number);

} // namespace platform
