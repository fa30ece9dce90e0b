#pragma once

#include <QString>

// The program folder (AppPath) as the display code sees it: the program folder of the current
// ProgramContext, which the viewer and the screen saver set as soon as they know it. The work
// folder is AppPath & "\Temp".
namespace ProgramFolder {

QString AppPath();

// AppPath & "\Temp"
QString WorkFolder();
// Makes the work folder, hidden, when no hidden folder of that name exists. A folder that cannot
// be made or hidden is reported here, in one message naming it, and nothing further is tried:
// false then, and the caller writes nothing into it.
bool makeWorkFolder();
// A bare member name joined to the work folder; a name that already holds a folder is kept.
QString inWorkFolder(const QString& name);

} // namespace ProgramFolder
