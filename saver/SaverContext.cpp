#include "saver/SaverContext.h"

SaverContext& SaverContext::current()
{
    return currentAs<SaverContext>();
}
