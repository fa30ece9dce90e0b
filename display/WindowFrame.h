#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

// A top-level window's outer geometry, frame included. Under a window manager the frame arrives
// some time after the window is shown; the frame a window is measured with is passed in, so a
// window can use its own reading (tests simulate one).
namespace WindowFrame {

// The frame around the window's inside as Qt knows it (null before the window manager framed it).
QMargins frameOf(const QWidget& window);

// Moves the window so that its frame, `frame` wide, starts at `outerTopLeft`.
void moveOuter(QWidget& window, const QPoint& outerTopLeft, const QMargins& frame);

// Gives the window the outer rectangle `outer` (inside sizes kept at 0 or more).
void placeOuter(QWidget& window, const QRect& outer, const QMargins& frame);

} // namespace WindowFrame
