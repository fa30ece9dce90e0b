#pragma once

#include "platform/SettingsStore.h"

#include <QMap>

namespace platform {

// Settings in memory; names compared without case.
class MemorySettingsStore : public SettingsStore {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& defaultValue = {}) override;
    void put(const QString& app, const QString& section, const QString& key, const QString& value) override;
    void remove(const QString& app, const QString& section, const QString& key = {}) override;

    bool contains(const QString& app, const QString& section, const QString& key) const;
    int count() const { return static_cast<int>(values.size()); }

    // Key: "app\section\key" in lower case, each name as storedSettingsName() keeps it.
    QMap<QString, QString> values;
};

} // namespace platform
