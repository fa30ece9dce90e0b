#include "display/WindowRange.h"

#include <algorithm>
#include <cmath>

namespace WindowRange {

double side(float stored, float factor, double smallestStored, double usableStored, double areaTwips)
{
    // The comparison is written so that a stored value that is not a number counts as too small.
    const double chosen = stored >= smallestStored ? static_cast<double>(stored) : usableStored;
    const double onScreen = chosen * static_cast<double>(factor);
    if (!std::isfinite(onScreen))
        return areaTwips;
    return std::clamp(onScreen, 0.0, std::max(areaTwips, 0.0));
}

double edge(float stored, float factor, double reachTwips)
{
    const double onScreen = static_cast<double>(stored) * static_cast<double>(factor);
    if (std::isnan(onScreen))
        return 0;
    const double reach = std::max(reachTwips, 0.0);
    return std::clamp(onScreen, -reach, reach);
}

float fontSize(float stored, float kAvg, float usableStored)
{
    const double scale = kAvg;
    double onScreen = static_cast<double>(stored) * scale;
    if (onScreen > kLargestFontPoints)
        onScreen = static_cast<double>(usableStored) * scale;
    if (!(onScreen > 0))
        return 0;
    // A text cut to the largest size would still be far too large to read.
    return static_cast<float>(std::min(onScreen, kLargestFontPoints));
}

} // namespace WindowRange
