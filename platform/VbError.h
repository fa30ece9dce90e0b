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
    int number;
    QString description;
};

} // namespace platform
