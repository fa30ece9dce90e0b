#include "viewer/ViewerContext.h"

namespace {
[[maybe_unused]] const bool g_offered = ProgramContext::offerDefault(3, ProgramContext::make<ViewerContext>);
} // namespace

ViewerContext& ViewerContext::current()
{
    return currentAs<ViewerContext>();
}
