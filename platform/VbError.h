#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// A run-time error as the program reports it: VB's error number and its description text.
struct VbError : std::runtime_error {
    VbError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number(number), description(description)
    {
    }
    // The error with VB's own description text for its number.
    explicit VbError(int number);
    // The same error about one file or folder, whose native path the message names.
    static VbError about(int number, const QString& nativePath);
    int number;
    QString description;
    // The native path of the file or folder concerned, where the message should name it.
    QString path;
};

// VB's description text of a run-time error number ("Application-defined or object-defined
// error" for numbers it does not know).
QString vbErrorDescription(int number);

// Run-time error numbers the platform layer raises.
namespace vberr {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIO = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int TooManyFiles = 67;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
} // namespace vberr

} // namespace platform
