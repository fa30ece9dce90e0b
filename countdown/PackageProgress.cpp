#include "countdown/PackageProgress.h"

namespace {

PackageProgressFactory& installedFactory()
{
    static PackageProgressFactory factory;
    return factory;
}

} // namespace

void setPackageProgressFactory(PackageProgressFactory factory)
{
    installedFactory() = std::move(factory);
}

std::unique_ptr<PackageProgress> makePackageProgress()
{
    return installedFactory() ? installedFactory()() : nullptr;
}
