#pragma once

#include "platform/Windows.h"

#include <memory>

namespace platform {

// The topmost band on the window's existing native window (its state on X11, its Qt window
// flags elsewhere); QWindow::fromWinId for a foreign parent (X11); the cursor through the
// application override cursor. Linux has no system-wide screen-saver flag and no window
// lookup by class, so those do nothing.
class QtWindows : public Windows {
public:
    QtWindows();
    ~QtWindows() override;

    void setTopMost(QWidget* window, bool topMost) override;
    // On X11 the window manager's _NET_FRAME_EXTENTS: Qt's account lags behind while the window
    // manager frames a window (its position and its copy of the frame change at different times).
    std::optional<QMargins> frameMargins(const QWidget& window) const override;
    bool embedInForeignWindow(QWidget* window, quintptr parentId) override;
    bool foreignWindowExists(quintptr windowId) override;
    QSize foreignClientSize(quintptr windowId) override;
    bool watchForDestruction(QWidget* embedded, std::function<void()> gone) override;
    int showCursor(bool show) override;
    void setScreenSaverRunning(bool running) override { screenSaverRunning_ = running; }
    quintptr findWindow(const QString& className, const QString& title) override;

private:
    class DestructionWatch;
    std::unique_ptr<DestructionWatch> destructionWatch_;
    int cursorCount_ = 0;
    int hiddenPointer_ = 0; // the pointer layer that hides it while cursorCount_ < 0
    bool screenSaverRunning_ = false;
};

} // namespace platform
