#include "display/FramedPlacement.h"

#include "display/WindowFrame.h"

#include <QWidget>

#include <utility>

void FramedPlacement::remember(const QRect& outer)
{
    if (!m_framed)
        m_givenOuter = outer;
}

bool FramedPlacement::mayBringTheFrame(QEvent::Type type)
{
    switch (type) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
        return true;
    default:
        return false;
    }
}

void FramedPlacement::placeAgainOnceFramed(QWidget& window, const QMargins& frame)
{
    if (m_framed || !window.isWindow() || frame.isNull())
        return;
    m_framed = true;
    const std::optional<QRect> given = std::exchange(m_givenOuter, std::nullopt);
    const bool normalState =
        !(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!given || !normalState || window.geometry().marginsAdded(frame) == *given)
        return;
    WindowFrame::placeOuter(window, *given, frame);
}
