#pragma once

#include <QMargins>
#include <QSize>
#include <QtGlobal>

namespace platform::x11 {

// Puts the X window `window` into the stay-on-top band or takes it out, keeping the window
// itself. A mapped window asks the window manager through a _NET_WM_STATE message to the root
// window; an unmapped one carries the state in its own _NET_WM_STATE property, which a window
// manager reads when the window is mapped. False when the application is not on X11.
bool setStaysOnTop(quintptr window, bool above);

// The size of the X window `window` as the X server knows it, in one request and reply; an
// invalid size when no window has that id or the application is not on X11.
QSize windowSize(quintptr window);

// The frame a window manager has put round `window` as it says in the window's
// _NET_FRAME_EXTENTS; zero margins before it has framed the window, without a window manager,
// and when the application is not on X11.
QMargins frameExtents(quintptr window);

// True when `window` is the root window of its screen (the whole desktop).
bool isRootWindow(quintptr window);

} // namespace platform::x11
