#pragma once

#include "platform/Services.h"
#include "platform/Windows.h"

#include <QMargins>
#include <QRect>
#include <QWidget>

namespace platform {

// The widths of the frame round the top-level `window`: what the window system tells, else Qt's
// own account of it (its frame geometry less its geometry). Header only: the platform's Qt Core
// library has no widgets.
inline QMargins frameMargins(const QWidget& window)
{
    if (const Windows* windows = services().windows) {
        if (const std::optional<QMargins> told = windows->frameMargins(window))
            return *told;
    }
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// Moves the window so that its frame, `frame` wide, starts at `outerTopLeft`. QWidget::move
// places the frame Qt knows of, which may differ from the one the window is measured with.
inline void moveOuter(QWidget& window, const QPoint& outerTopLeft, const QMargins& frame)
{
    const QPoint qtFrame = window.geometry().topLeft() - window.frameGeometry().topLeft();
    window.move(outerTopLeft + QPoint(frame.left(), frame.top()) - qtFrame);
}

} // namespace platform
