#include "platform/SettingsStore.h"

namespace platform {

QString storedSettingsName(const QString& name)
{
    QString stored = name;
    stored.replace(QLatin1Char('%'), QLatin1String("%25"));
    stored.replace(QLatin1Char('/'), QLatin1String("%2F"));
    stored.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    return stored;
}

} // namespace platform
