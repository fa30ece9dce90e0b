#pragma once

#include "platform/Screen.h"

namespace platform {

// The primary QScreen: twips per pixel = 1440 / logical DPI.
class QtScreen : public Screen {
public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    double widthTwips() const override;
    double heightTwips() const override;
    QRect workAreaPixels() const override;
    // Bits per pixel, not the visual's depth.
    int colorDepthBits() const override;
};

// The bits a pixel takes for a visual of the given depth.
int bitsPerPixelOfDepth(int depth);

} // namespace platform
