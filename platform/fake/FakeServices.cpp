#include "platform/fake/FakeServices.h"

namespace platform {

FakeServices::FakeServices() : previous_(services())
{
    setServices({&ui_, &settings_, &screen_, &mci_, &shell_, &help_, &windows_, &regional_});
}

FakeServices::~FakeServices()
{
    setServices(previous_);
}

} // namespace platform
