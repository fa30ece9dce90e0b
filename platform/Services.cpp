#include "platform/Services.h"

#include "platform/Regional.h"

namespace platform {

Services& services()
{
    static Services installed;
    return installed;
}

void setServices(const Services& installed)
{
    services() = installed;
}

const Regional& regional()
{
    static const Regional defaults;
    const Regional* installed = services().regional;
    return installed ? *installed : defaults;
}

} // namespace platform
