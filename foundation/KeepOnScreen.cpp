#include "foundation/KeepOnScreen.h"

#include "platform/Screen.h"
#include "platform/Services.h"

#include <algorithm>
#include <cmath>

namespace KeepOnScreen {

namespace {

// The start of a span `length` long (no longer than the area's) moved inside the area.
int startInside(int start, int length, int areaStart, int areaLength)
{
    return std::clamp(start, areaStart, areaStart + areaLength - length);
}

int pixels(double twips, double twipsPerPixel)
{
    const double rounded = std::nearbyint(twips / twipsPerPixel);
    return std::isnan(rounded) ? 0 : static_cast<int>(std::clamp<double>(rounded, -1e9, 1e9));
}

} // namespace

QRect fittedInside(const QRect& outer, const QRect& area)
{
    if (area.isEmpty())
        return outer;
    const int width = std::min(outer.width(), area.width());
    const int height = std::min(outer.height(), area.height());
    return QRect(startInside(outer.left(), width, area.left(), area.width()),
                 startInside(outer.top(), height, area.top(), area.height()), width, height);
}

QRect workAreaPixels()
{
    const platform::Screen& screen = *platform::services().screen;
    const QRect workArea = screen.workAreaPixels();
    if (!workArea.isEmpty())
        return workArea;
    return QRect(0, 0, pixels(screen.widthTwips(), screen.twipsPerPixelX()),
                 pixels(screen.heightTwips(), screen.twipsPerPixelY()));
}

std::optional<TwipsRect> fittedTwips(const TwipsRect& placed)
{
    const platform::Screen& screen = *platform::services().screen;
    const double across = screen.twipsPerPixelX();
    const double down = screen.twipsPerPixelY();
    if (!(across > 0) || !(down > 0))
        return std::nullopt;
    const QRect outer(pixels(placed.left, across), pixels(placed.top, down), pixels(placed.width, across),
                      pixels(placed.height, down));
    const QRect fitted = fittedInside(outer, workAreaPixels());
    if (fitted == outer)
        return std::nullopt;
    return TwipsRect{fitted.left() * across, fitted.top() * down, fitted.width() * across, fitted.height() * down};
}

} // namespace KeepOnScreen
