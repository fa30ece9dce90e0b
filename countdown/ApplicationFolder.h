#pragma once

#include <QString>

// The program folder as an internal (Windows-style) path without a trailing separator: the
// folder of the running executable.
QString countdownApplicationFolder();
