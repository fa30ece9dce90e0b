#include "platform/DesktopHelp.h"
#include "platform/DesktopShell.h"
#include "platform/IniSettingsStore.h"
#include "platform/MediaMci.h"
#include "platform/QtScreen.h"
#include "platform/QtUi.h"
#include "platform/QtWindows.h"
#include "platform/Regional.h"
#include "platform/Services.h"

namespace platform {

void installProgramServices()
{
    // One set per process, alive until exit.
    static QtUi ui;
    static IniSettingsStore settings;
    static QtScreen screen;
    static MediaMci* mci = new MediaMci; // holds players; left to the process end, after QApplication
    static DesktopShell shell;
    static DesktopHelp help(shell);
    static QtWindows windows;
    static Regional regional;
    setServices({&ui, &settings, &screen, mci, &shell, &help, &windows, &regional});
}

} // namespace platform
