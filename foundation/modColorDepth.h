#pragma once

#include <cstdint>

namespace modColorDepth {

// The screen's colour depth in bits (planes times bits per pixel). Raises VbError 6 when the
// product does not fit 16 bits.
int16_t GetColorDepth();

} // namespace modColorDepth
