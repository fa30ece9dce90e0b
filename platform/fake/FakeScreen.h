#pragma once

#include "platform/Screen.h"

namespace platform {

// Fixed numbers; the defaults are an 800 x 600 screen at 15 twips per pixel, 32 bits.
class FakeScreen : public Screen {
public:
    double twipsPerPixelX() const override { return twipsX; }
    double twipsPerPixelY() const override { return twipsY; }
    double widthTwips() const override { return widthPixels * twipsX; }
    double heightTwips() const override { return heightPixels * twipsY; }
    QRect workAreaPixels() const override { return workArea.isNull() ? QRect(0, 0, widthPixels, heightPixels) : workArea; }
    int colorDepthBits() const override { return colorDepth; }

    double twipsX = 15;
    double twipsY = 15;
    int widthPixels = 800;
    int heightPixels = 600;
    QRect workArea; // null: the whole screen
    int colorDepth = 32;
};

} // namespace platform
