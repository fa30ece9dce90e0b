#include "viewer/ViewerContext.h"

ViewerContext& ViewerContext::current()
{
    return currentAs<ViewerContext>();
}
