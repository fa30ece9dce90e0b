#include "saver/SaverContext.h"

namespace {
[[maybe_unused]] const bool g_offered = ProgramContext::offerDefault(3, ProgramContext::make<SaverContext>);
} // namespace

SaverContext& SaverContext::current()
{
    return currentAs<SaverContext>();
}
