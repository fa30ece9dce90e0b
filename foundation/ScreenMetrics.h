#pragma once

#include <cstdint>

// The screen measurements that every piece scaling window geometry shares. Nothing keeps them
// current: a caller measures them afresh before use. They start at 0, and so does each
// ProgramContext, which gives back the values that stood before it when it ends.
namespace modForm {

inline int16_t TwipsPerPixelX = 0;
inline int16_t TwipsPerPixelY = 0;
inline int16_t ScreenWidthPixels = 0;
inline int16_t ScreenHeightPixels = 0;

// Reads the Screen service into the four values, in this order: twips per pixel across and
// down (rounded, halves to even), then the screen's height and width in pixels (its size in
// twips divided by those, rounded). Raises VbError 6 when a value does not fit 16 bits and
// 11 when a twips-per-pixel value rounds to 0.
void MeasureScreenMetrics();

} // namespace modForm
