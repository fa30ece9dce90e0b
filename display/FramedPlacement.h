#pragma once

#include <QEvent>
#include <QMargins>
#include <QRect>

#include <optional>

class QWidget;

// A window manager frames a top-level window only some time after it is shown. Until then the
// outer geometry a window is given is its inside; once the frame first appears, a window in the
// normal state is placed again at the outer geometry it was last given, so the frame does not
// read as a change of the window's size or position. After the first frame nothing is placed.
class FramedPlacement {
public:
    // Remembers `outer` (pixels, frame included) as the geometry the window was given; ignored
    // once the window has been framed.
    void remember(const QRect& outer);

    // The events after which the frame may have arrived.
    static bool mayBringTheFrame(QEvent::Type type);

    // When `frame` (the window's frame as it reads now) is the first one seen, places `window`
    // again at the remembered geometry. A child widget is never framed.
    void placeAgainOnceFramed(QWidget& window, const QMargins& frame);

private:
    std::optional<QRect> m_givenOuter;
    bool m_framed = false;
};
