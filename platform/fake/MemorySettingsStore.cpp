#include "platform/fake/MemorySettingsStore.h"

namespace platform {

namespace {

QString sectionPrefix(const QString& app, const QString& section)
{
    const QChar separator = QLatin1Char('\\');
    return (storedSettingsName(app) + separator + storedSettingsName(section) + separator).toLower();
}

QString entryKey(const QString& app, const QString& section, const QString& key)
{
    return sectionPrefix(app, section) + storedSettingsName(key).toLower();
}

} // namespace

QString MemorySettingsStore::get(const QString& app, const QString& section, const QString& key,
                                 const QString& defaultValue)
{
    return values.value(entryKey(app, section, key), defaultValue);
}

void MemorySettingsStore::put(const QString& app, const QString& section, const QString& key, const QString& value)
{
    values.insert(entryKey(app, section, key), value);
}

void MemorySettingsStore::remove(const QString& app, const QString& section, const QString& key)
{
    const QString prefix = sectionPrefix(app, section);
    if (!key.isEmpty()) {
        values.remove(entryKey(app, section, key));
        return;
    }
    for (auto it = values.begin(); it != values.end();) {
        it = it.key().startsWith(prefix) ? values.erase(it) : std::next(it);
    }
}

bool MemorySettingsStore::contains(const QString& app, const QString& section, const QString& key) const
{
    return values.contains(entryKey(app, section, key));
}

} // namespace platform
