#pragma once

#include <QString>

namespace platform {

// Per-user settings addressed by application, section and key; every value is text. Names
// are compared without regard to case. Writes that do not reach the store raise VbError.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString get(const QString& app, const QString& section, const QString& key,
                        const QString& defaultValue = {}) = 0;
    virtual void put(const QString& app, const QString& section, const QString& key, const QString& value) = 0;
    // An empty key removes the whole section. Removing what is not there does nothing.
    virtual void remove(const QString& app, const QString& section, const QString& key = {}) = 0;
};

// A section or key name as a backend keeps it: "%", "/" and "\" become %25, %2F and %5C, so a
// name holding a separator is one name, and no two names meet.
QString storedSettingsName(const QString& name);

} // namespace platform
