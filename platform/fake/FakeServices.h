#pragma once

#include "platform/Regional.h"
#include "platform/Services.h"
#include "platform/fake/FakeHelp.h"
#include "platform/fake/FakeMci.h"
#include "platform/fake/FakeScreen.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeUi.h"
#include "platform/fake/FakeWindows.h"
#include "platform/fake/MemorySettingsStore.h"

namespace platform {

// Installs fresh fakes of every service for the lifetime of the object and puts back what was
// installed before. Regional starts as the United States defaults.
class FakeServices {
public:
    FakeServices();
    ~FakeServices();
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeUi& ui() { return ui_; }
    MemorySettingsStore& settings() { return settings_; }
    FakeScreen& screen() { return screen_; }
    FakeMci& mci() { return mci_; }
    FakeShell& shell() { return shell_; }
    FakeHelp& help() { return help_; }
    FakeWindows& windows() { return windows_; }
    Regional& regional() { return regional_; }

private:
    FakeUi ui_;
    MemorySettingsStore settings_;
    FakeScreen screen_;
    FakeMci mci_;
    FakeShell shell_;
    FakeHelp help_;
    FakeWindows windows_;
    Regional regional_;
    Services previous_;
};

} // namespace platform
