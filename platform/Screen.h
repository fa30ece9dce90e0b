#pragma once

#include <QRect>

namespace platform {

// The primary screen's metrics in VB's units.
class Screen {
public:
    virtual ~Screen() = default;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual double widthTwips() const = 0;
    virtual double heightTwips() const = 0;
    // The desktop less the panels, in pixels.
    virtual QRect workAreaPixels() const = 0;
    // Colour planes times bits per pixel.
    virtual int colorDepthBits() const = 0;
};

} // namespace platform
