#pragma once

#include <QString>

#include <cstdint>

namespace platform {

// MCI error numbers the interpreter returns.
namespace mcierr {
constexpr int32_t InvalidDeviceId = 257;
constexpr int32_t UnrecognizedKeyword = 259;
constexpr int32_t UnrecognizedCommand = 261;
constexpr int32_t HardwareError = 262;
constexpr int32_t InvalidDeviceName = 263; // no device open under that name
constexpr int32_t CannotLoadDriver = 266;
constexpr int32_t MissingCommandString = 267;
constexpr int32_t BadInteger = 270;
constexpr int32_t MissingParameter = 273;
constexpr int32_t UnsupportedFunction = 274;
constexpr int32_t FileNotFound = 275;
constexpr int32_t DeviceNotReady = 276; // no working sound output
constexpr int32_t OutOfRange = 282;
constexpr int32_t DeviceTypeRequired = 287;
constexpr int32_t DuplicateAlias = 289;
constexpr int32_t BadConstant = 290;
constexpr int32_t MissingDeviceName = 292;
constexpr int32_t BadTimeFormat = 293;
constexpr int32_t NoClosingQuote = 294;
constexpr int32_t InvalidFile = 296;
constexpr int32_t FilenameRequired = 304;
} // namespace mcierr

// The multimedia command-string interface: "open ... alias A [wait]", "play A [from n] [wait]",
// "close A", "close all", "set A time format milliseconds", "status A length|position|mode".
class Mci {
public:
    virtual ~Mci() = default;
    // 0 on success, else an MCI error number; a reply (status) goes to *returned.
    virtual int32_t sendString(const QString& command, QString* returned = nullptr) = 0;
    // The text of an MCI error number; empty when the number is not an MCI error (the caller
    // then shows its own "unknown error" text).
    virtual QString errorString(int32_t error) = 0;
};

// The texts of the MCI error numbers above (empty for other numbers); shared by the backends.
QString mciErrorText(int32_t error);

} // namespace platform
