#include "platform/IniSettingsStore.h"

#include "platform/VbError.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

// The stored spelling of a name among the stored ones, compared without case.
QString matchWithoutCase(const QStringList& names, const QString& name)
{
    const QString wanted = storedSettingsName(name);
    for (const QString& stored : names) {
        if (stored.compare(wanted, Qt::CaseInsensitive) == 0)
            return stored;
    }
    return {};
}

// A section may not be called "General" in QSettings' INI files without being merged with the
// top level; QSettings escapes that name itself when written as a group name, so the stored
// spelling is looked up among childGroups().
QString storedGroup(QSettings& ini, const QString& section)
{
    const QString found = matchWithoutCase(ini.childGroups(), section);
    return found.isEmpty() ? storedSettingsName(section) : found;
}

QString storedKey(QSettings& ini, const QString& key)
{
    const QString found = matchWithoutCase(ini.childKeys(), key);
    return found.isEmpty() ? storedSettingsName(key) : found;
}

// QSettings neither writes a file it could not read nor says so at the write: a store that
// could not be read or written has kept nothing, and that is an error of the write. A line it
// cannot parse (a format error) is only dropped when the file is written again.
void checkStatus(const QSettings& ini)
{
    if (ini.status() == QSettings::AccessError)
        throw VbError::about(vberr::PathFileAccess, ini.fileName());
}

void syncAndCheck(QSettings& ini)
{
    ini.sync();
    checkStatus(ini);
}

} // namespace

IniSettingsStore::IniSettingsStore(QString folder) : folder_(std::move(folder)) {}

QString IniSettingsStore::filePath(const QString& app) const
{
    QString folder = folder_;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QLatin1Char('/') + app + QLatin1String(".ini");
}

QString IniSettingsStore::get(const QString& app, const QString& section, const QString& key,
                              const QString& defaultValue)
{
    QSettings ini(filePath(app), QSettings::IniFormat);
    const QString group = matchWithoutCase(ini.childGroups(), section);
    if (group.isEmpty())
        return defaultValue;
    ini.beginGroup(group);
    const QString stored = matchWithoutCase(ini.childKeys(), key);
    if (stored.isEmpty())
        return defaultValue;
    return ini.value(stored).toString();
}

void IniSettingsStore::put(const QString& app, const QString& section, const QString& key, const QString& value)
{
    QDir().mkpath(QFileInfo(filePath(app)).absolutePath());
    QSettings ini(filePath(app), QSettings::IniFormat);
    checkStatus(ini);
    ini.beginGroup(storedGroup(ini, section));
    const QString stored = storedKey(ini, key);
    // The file is rewritten (and synced to disk) only for a real change: the programs store
    // some values on every start.
    if (ini.contains(stored) && ini.value(stored).toString() == value)
        return;
    ini.setValue(stored, value);
    ini.endGroup();
    syncAndCheck(ini);
}

void IniSettingsStore::remove(const QString& app, const QString& section, const QString& key)
{
    QSettings ini(filePath(app), QSettings::IniFormat);
    checkStatus(ini);
    const QString group = matchWithoutCase(ini.childGroups(), section);
    if (group.isEmpty())
        return;
    if (key.isEmpty()) {
        ini.remove(group);
    } else {
        ini.beginGroup(group);
        const QString stored = matchWithoutCase(ini.childKeys(), key);
        if (!stored.isEmpty())
            ini.remove(stored);
        ini.endGroup();
    }
    syncAndCheck(ini);
}

} // namespace platform
