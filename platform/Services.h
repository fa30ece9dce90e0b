#pragma once

namespace platform {

class Ui;
class SettingsStore;
class Screen;
class Mci;
class Shell;
class Help;
class Windows;
struct Regional;

// The process-wide services. The pointers are not owned; whoever installs them keeps them alive.
struct Services {
    Ui* ui = nullptr;
    SettingsStore* settings = nullptr;
    Screen* screen = nullptr;
    Mci* mci = nullptr;
    Shell* shell = nullptr;
    Help* help = nullptr;
    Windows* windows = nullptr;
    Regional* regional = nullptr;
};

Services& services();
void setServices(const Services& installed);

// Installs the Qt backends for the running program (needs a QApplication).
void installProgramServices();

} // namespace platform
