#pragma once

#include "platform/FileAttributes.h"

#include <QString>
#include <QStringList>

namespace platform::fs {

// VB Dir semantics: the names (no folder) of the entries of the pattern's folder that match its
// last component (* and ?, without case; "*.*" matches every name) and whose hidden, system and
// folder attributes are all in attributeMask. An empty last component means "*". No wildcard:
// at most the one entry of that name. A missing folder gives an empty list; a bad name, 52.
QStringList dir(const QString& pattern, int attributeMask = attr::Normal);
// Whether name matches a Dir pattern (one component).
bool matchesPattern(const QString& name, const QString& pattern);

// The names of the entries of `folderNative` that equal `name` letter case aside (`name` itself
// among them when it is there): every entry a lookup of `name` without regard to case may find.
QStringList namesAlike(const QString& folderNative, const QString& name);

} // namespace platform::fs
