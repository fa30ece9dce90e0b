#include "foundation/ScreenMetrics.h"

#include "foundation/VbValues.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/VbError.h"

namespace modForm {

namespace {

double dividedBy(double dividend, int16_t divisor)
{
    if (divisor == 0)
        throw platform::VbError(platform::vberr::DivisionByZero);
    return dividend / divisor;
}

} // namespace

void MeasureScreenMetrics()
{
    const platform::Screen& screen = *platform::services().screen;
    TwipsPerPixelX = vb::cint(screen.twipsPerPixelX());
    TwipsPerPixelY = vb::cint(screen.twipsPerPixelY());
    ScreenHeightPixels = vb::cint(dividedBy(screen.heightTwips(), TwipsPerPixelY));
    ScreenWidthPixels = vb::cint(dividedBy(screen.widthTwips(), TwipsPerPixelX));
}

} // namespace modForm
