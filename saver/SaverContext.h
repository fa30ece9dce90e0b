#pragma once

#include "display/DisplayContext.h"
#include "platform/InstanceLock.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class frmCountdownScreenSaver;
class frmPreview;

// The screen saver's one context (see ProgramContext): the program folder and the display's
// share below, and above them the screen saver's own module values, windows, instance lock
// and test seam. modVantrelnScreenSaver names each value.
class SaverContext : public DisplayContext {
public:
    // Closes the screen saver's windows, which belong to this context.
    ~SaverContext() override;

    // The countdown package to show.
    QString countdownPath;
    // The window the preview is drawn into; 0 outside a preview run.
    int32_t previewParent = 0;

    struct Rect {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
    };
    // Full screen: the desktop in pixels; preview: the client area of the preview parent. Only
    // right and bottom are used, as width and height.
    Rect screenRect;

    // The windows this context loaded; they end with it.
    QPointer<frmCountdownScreenSaver> screenSaverWindow;
    QPointer<frmPreview> previewWindow;
    // Held while this process runs full screen, so a second full-screen run does not start.
    std::unique_ptr<platform::fs::InstanceLock> instanceLock;

    // Test seam: empty (the default) means countdownApplicationFolder(), the viewer's own way
    // of settling the program folder, used when no "AppPath" is stored.
    std::function<QString()> programFolder;

    static SaverContext& current();
};
