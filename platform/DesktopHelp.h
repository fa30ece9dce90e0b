#pragma once

#include "platform/Help.h"

namespace platform {

class Shell;

// Opens the help file with the desktop's viewer through the Shell service.
class DesktopHelp : public Help {
public:
    explicit DesktopHelp(Shell& shell) : shell_(shell) {}
    bool showHelp(const QString& helpFile, int command, QString* whyNot = nullptr) override;

private:
    Shell& shell_;
};

} // namespace platform
