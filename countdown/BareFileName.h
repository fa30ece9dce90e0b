#pragma once

#include <QString>

// True when `name` names a file directly inside a folder: not empty, not "." or "..", and
// without "\", "/", ":", NUL, "*" or "?". Names read from packages and data files must pass
// before they are joined to the work folder, so that none reaches outside it.
bool isBareFileName(const QString& name);
