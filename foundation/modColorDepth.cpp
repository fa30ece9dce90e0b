#include "foundation/modColorDepth.h"

#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/VbError.h"

#include <limits>

namespace modColorDepth {

int16_t GetColorDepth()
{
    const int bits = platform::services().screen->colorDepthBits();
    if (bits < std::numeric_limits<int16_t>::min() || bits > std::numeric_limits<int16_t>::max())
        throw platform::VbError(platform::vberr::Overflow);
    return static_cast<int16_t>(bits);
}

} // namespace modColorDepth
