#include "platform/QtWindows.h"

#include "platform/X11WindowState.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

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

bool QtWindows::embedInForeignWindow(QWidget* window, quintptr parentId)
{
    if (!window || !onX11() || parentId == 0)
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
// server is asked through a grab of the window: its size is the window's, and an id that
// names no window gives an empty picture.
QSize QtWindows::foreignClientSize(quintptr windowId)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!onX11() || windowId == 0 || !screen)
        return {};
    const QSize size = screen->grabWindow(static_cast<WId>(windowId)).size();
    return size.isEmpty() ? QSize() : size;
}

int QtWindows::showCursor(bool show)
{
    const int before = cursorCount_;
    cursorCount_ += show ? 1 : -1;
    // The cursor is hidden while the count is below zero.
    if (before >= 0 && cursorCount_ < 0)
        QApplication::setOverrideCursor(Qt::BlankCursor);
    else if (before < 0 && cursorCount_ >= 0)
        QApplication::restoreOverrideCursor();
    return cursorCount_;
}

quintptr QtWindows::findWindow(const QString&, const QString&)
{
    return 0;
}

} // namespace platform
