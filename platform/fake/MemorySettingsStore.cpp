#include "platform/fake/MemorySettingsStore.h"

namespace platform {

namespace {

QString sectionPrefix(const QString& app, const QString& section)
{
    return (app + QLatin1Char('\\') + section + QLatin1Char('\\')).toLower();
}

} // namespace

QString MemorySettingsStore::get(const QString& app, const QString& section, const QString& key,
                                 const QString& defaultValue)
{
    return values.value(sectionPrefix(app, section) + key.toLower(), defaultValue);
}

void MemorySettingsStore::put(const QString& app, const QString& section, const QString& key, const QString& value)
{
    values.insert(sectionPrefix(app, section) + key.toLower(), value);
}

void MemorySettingsStore::remove(const QString& app, const QString& section, const QString& key)
{
    const QString prefix = sectionPrefix(app, section);
    if (!key.isEmpty()) {
        values.remove(prefix + key.toLower());
        return;
    }
    for (auto it = values.begin(); it != values.end();) {
        it = it.key().startsWith(prefix) ? values.erase(it) : std::next(it);
    }
}

bool MemorySettingsStore::contains(const QString& app, const QString& section, const QString& key) const
{
    return values.contains(sectionPrefix(app, section) + key.toLower());
}

} // namespace platform
