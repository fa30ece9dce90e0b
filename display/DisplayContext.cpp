#include "display/DisplayContext.h"

namespace {
[[maybe_unused]] const bool g_offered = ProgramContext::offerDefault(2, ProgramContext::make<DisplayContext>);
} // namespace

DisplayContext& DisplayContext::current()
{
    return currentAs<DisplayContext>();
}
