#include "platform/QtWindows.h"

#include "platform/PointerLayers.h"
#include "platform/X11WindowState.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <utility>

namespace platform {

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

// Hears the X server destroy one window of this process. Qt's own windows already listen for
// structure events, so no event mask of any window is changed.
class QtWindows::DestructionWatch : public QAbstractNativeEventFilter {
public:
    DestructionWatch(xcb_window_t window, std::function<void()> gone)
        : window_(window), gone_(std::move(gone))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~DestructionWatch() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (!gone_ || eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY
            || reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window != window_)
            return false;
        std::exchange(gone_, {})();
        return false;
    }

private:
    xcb_window_t window_;
    std::function<void()> gone_;
};

QtWindows::QtWindows() = default;
QtWindows::~QtWindows() = default;

// QWidget::setWindowFlags() destroys and re-creates a window that has its native window:
// it would come back with a new id, lose focus and flicker. The flag is only recorded for Qt
// (which creates a window still to come with it) and the existing native window is told.
void QtWindows::setTopMost(QWidget* window, bool topMost)
{
    if (!window)
        return;
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topMost);
    window->overrideWindowFlags(flags);
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    handle->setFlags(flags);
    if (onX11() && handle->handle())
        x11::setStaysOnTop(handle->winId(), topMost);
}

std::optional<QMargins> QtWindows::frameMargins(const QWidget& window) const
{
    const QWindow* handle = window.isWindow() ? window.windowHandle() : nullptr;
    if (!onX11() || !handle || !handle->handle())
        return std::nullopt;
    return x11::frameExtents(handle->winId());
}

// A root window is the whole desktop, not a preview area: nothing is embedded into it.
bool QtWindows::embedInForeignWindow(QWidget* window, quintptr parentId)
{
    if (!window || !onX11() || parentId == 0 || x11::isRootWindow(parentId))
        return false;
    QWindow* foreign = QWindow::fromWinId(static_cast<WId>(parentId));
    if (!foreign)
        return false;
    window->setAttribute(Qt::WA_NativeWindow);
    window->winId();
    QWindow* handle = window->windowHandle();
    if (!handle) {
        delete foreign;
        return false;
    }
    handle->setParent(foreign);
    return true;
}

bool QtWindows::foreignWindowExists(quintptr windowId)
{
    return foreignClientSize(windowId).isValid();
}

// QWindow::fromWinId does not read a foreign window's geometry (it reports 0 x 0), so the X
// server is asked for it: one small request and reply, cheap enough to ask every few hundred
// milliseconds.
QSize QtWindows::foreignClientSize(quintptr windowId)
{
    return onX11() ? x11::windowSize(windowId) : QSize();
}

// One watch at a time: a new one replaces the last.
bool QtWindows::watchForDestruction(QWidget* embedded, std::function<void()> gone)
{
    if (!embedded || !onX11() || !embedded->windowHandle())
        return false;
    destructionWatch_ = std::make_unique<DestructionWatch>(static_cast<xcb_window_t>(embedded->winId()), std::move(gone));
    return true;
}

int QtWindows::showCursor(bool show)
{
    const int before = cursorCount_;
    cursorCount_ += show ? 1 : -1;
    // The cursor is hidden while the count is below zero.
    if (before >= 0 && cursorCount_ < 0)
        hiddenPointer_ = pointerLayers::add(Qt::BlankCursor);
    else if (before < 0 && cursorCount_ >= 0) {
        pointerLayers::remove(hiddenPointer_);
        hiddenPointer_ = 0;
    }
    return cursorCount_;
}

quintptr QtWindows::findWindow(const QString&, const QString&)
{
    return 0;
}

} // namespace platform
