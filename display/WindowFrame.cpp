#include "display/WindowFrame.h"

#include "platform/FrameMargins.h"

#include <QWidget>

#include <algorithm>

namespace WindowFrame {

QMargins frameOf(const QWidget& window)
{
    return platform::frameMargins(window);
}

void moveOuter(QWidget& window, const QPoint& outerTopLeft, const QMargins& frame)
{
    platform::moveOuter(window, outerTopLeft, frame);
}

void placeOuter(QWidget& window, const QRect& outer, const QMargins& frame)
{
    window.resize(std::max(0, outer.width() - frame.left() - frame.right()),
                  std::max(0, outer.height() - frame.top() - frame.bottom()));
    moveOuter(window, outer.topLeft(), frame);
}

} // namespace WindowFrame
