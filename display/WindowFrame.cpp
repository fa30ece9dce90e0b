#include "display/WindowFrame.h"

#include <QWidget>

#include <algorithm>

namespace WindowFrame {

QMargins frameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

void moveOuter(QWidget& window, const QPoint& outerTopLeft, const QMargins& frame)
{
    // move() places the frame Qt knows of, which may differ from the one the window is measured with.
    const QPoint qtFrame = window.geometry().topLeft() - window.frameGeometry().topLeft();
    window.move(outerTopLeft + QPoint(frame.left(), frame.top()) - qtFrame);
}

void placeOuter(QWidget& window, const QRect& outer, const QMargins& frame)
{
    window.resize(std::max(0, outer.width() - frame.left() - frame.right()),
                  std::max(0, outer.height() - frame.top() - frame.bottom()));
    moveOuter(window, outer.topLeft(), frame);
}

} // namespace WindowFrame
