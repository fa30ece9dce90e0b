#include "platform/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {

constexpr double twipsPerInch = 1440.0;

QScreen* primary()
{
    return QGuiApplication::primaryScreen();
}

double twipsPerPixel(double dpi)
{
    return dpi > 0 ? twipsPerInch / dpi : 15.0;
}

} // namespace

double QtScreen::twipsPerPixelX() const
{
    return primary() ? twipsPerPixel(primary()->logicalDotsPerInchX()) : 15.0;
}

double QtScreen::twipsPerPixelY() const
{
    return primary() ? twipsPerPixel(primary()->logicalDotsPerInchY()) : 15.0;
}

double QtScreen::widthTwips() const
{
    return primary() ? primary()->geometry().width() * twipsPerPixelX() : 800 * 15.0;
}

double QtScreen::heightTwips() const
{
    return primary() ? primary()->geometry().height() * twipsPerPixelY() : 600 * 15.0;
}

QRect QtScreen::workAreaPixels() const
{
    return primary() ? primary()->availableGeometry() : QRect(0, 0, 800, 600);
}

int bitsPerPixelOfDepth(int depth)
{
    // X11 stores a 24-bit true-colour visual in 32 bits a pixel and a 15-bit one in 16.
    if (depth > 16)
        return 32;
    if (depth == 15)
        return 16;
    return depth;
}

int QtScreen::colorDepthBits() const
{
    return bitsPerPixelOfDepth(primary() ? primary()->depth() : 32);
}

} // namespace platform
