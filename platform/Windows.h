#pragma once

#include <QMargins>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class QWidget;

namespace platform {

// Window-manager services: topmost band, foreign parent windows, the cursor and the
// system-wide screen-saver flag.
class Windows {
public:
    virtual ~Windows() = default;
    virtual void setTopMost(QWidget* window, bool topMost) = 0;
    // The widths of the frame round the top-level `window` as the window system tells them now
    // (zero before a window manager has framed it); nullopt where Qt's own account of the frame
    // is all there is (platform/FrameMargins.h asks both).
    virtual std::optional<QMargins> frameMargins(const QWidget& /*window*/) const { return std::nullopt; }
    // Makes window a child of the native window parentId; false when that cannot be done.
    virtual bool embedInForeignWindow(QWidget* window, quintptr parentId) = 0;
    virtual bool foreignWindowExists(quintptr windowId) = 0;
    virtual QSize foreignClientSize(quintptr windowId) = 0;
    // Calls `gone` once, when the window system destroys the native window of `embedded` (a
    // child of a foreign window dies with its parent). False when this backend cannot tell;
    // the caller then asks foreignWindowExists from time to time instead.
    virtual bool watchForDestruction(QWidget* /*embedded*/, std::function<void()> /*gone*/) { return false; }
    // Shows or hides the mouse cursor; returns the display count as ShowCursor does (>= 0 shown).
    virtual int showCursor(bool show) = 0;
    virtual void setScreenSaverRunning(bool running) = 0;
    // 0 when there is no such window (always on Linux).
    virtual quintptr findWindow(const QString& className, const QString& title) = 0;
};

} // namespace platform
