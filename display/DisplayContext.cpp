#include "display/DisplayContext.h"

#include <chrono>

DisplayContext& DisplayContext::current()
{
    return currentAs<DisplayContext>();
}

qint64 DisplayContext::steadyMilliseconds() const
{
    if (steadyClock)
        return steadyClock();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
