#pragma once

#include <QString>

// "Version " followed by the program's major, minor and revision numbers joined by ".".
QString programVersionLine();
