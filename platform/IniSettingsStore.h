#pragma once

#include "platform/SettingsStore.h"

namespace platform {

// One INI file per application: <folder>/<application>.ini, the section an INI group. Names
// are compared without case: a stored spelling is found by any spelling, and a write to an
// existing name keeps the stored spelling.
class IniSettingsStore : public SettingsStore {
public:
    // An empty folder means $XDG_CONFIG_HOME (or ~/.config), read at each call.
    explicit IniSettingsStore(QString folder = {});

    QString get(const QString& app, const QString& section, const QString& key,
                const QString& defaultValue = {}) override;
    void put(const QString& app, const QString& section, const QString& key, const QString& value) override;
    void remove(const QString& app, const QString& section, const QString& key = {}) override;

    // The native path of an application's file.
    QString filePath(const QString& app) const;

private:
    QString folder_;
};

} // namespace platform
