#pragma once

#include <QString>

namespace platform {

namespace helpcmd {
constexpr int Contents = 1;
constexpr int Index = 2;
constexpr int Search = 3;
} // namespace helpcmd

// Shows a help file (internal path). The desktop viewer cannot be asked for a page, so every
// command opens the file.
class Help {
public:
    virtual ~Help() = default;
    virtual bool showHelp(const QString& helpFile, int command, QString* whyNot = nullptr) = 0;
};

} // namespace platform
