#include "display/DisplayContext.h"

#include "display/frmAlarm.h"

#include <chrono>

DisplayContext::DisplayContext() = default;

// The alarm goes first, while the rest of the context it may read still stands.
DisplayContext::~DisplayContext()
{
    alarm.reset();
}

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
