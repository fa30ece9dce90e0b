#pragma once

// The range of geometry and font sizes a countdown window can take. A countdown's stored values
// are any single-precision numbers a data file held; scaled to the present screen, each is
// brought into what a window and a font can be, so that applying a countdown never fails on
// them and never leaves a window too small to see.
namespace WindowRange {

// A window side shorter than this many pixels of the reference screen cannot be used (a side
// of 0, or a negative one, as a damaged or unreadable data file leaves it).
inline constexpr double kSmallestUsableSidePixels = 48;
// The largest font size a panel is given, in points.
inline constexpr double kLargestFontPoints = 1000;

// The twips of a window side stored as `stored` reference-screen twips, on a screen scaled by
// `factor`: a side too small to use (below the smallest usable side, whose reference twips are
// `smallestStored`) takes `usableStored` instead, and a side longer than `areaTwips` (the work
// area's) is cut to it.
double side(float stored, float factor, double smallestStored, double usableStored, double areaTwips);
// The twips of a window edge stored as `stored` on a screen scaled by `factor`, no farther than
// `reachTwips` from the screen's origin either way (the window is then moved into the work area).
double edge(float stored, float factor, double reachTwips);
// A stored font size shown on a screen scaled by `kAvg`. A size that would come out larger than
// the largest font size is taken as `usableStored` (a new countdown's size for that text);
// a size that is not positive becomes 0, which leaves the panel its own font size.
float fontSize(float stored, float kAvg, float usableStored);

} // namespace WindowRange
