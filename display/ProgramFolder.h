#pragma once

#include <QString>

// The program folder (AppPath) as the display code sees it. The viewer and the screen saver set
// it as soon as they know their own AppPath; the work folder is AppPath & "\Temp".
namespace ProgramFolder {

QString AppPath();
void setAppPath(const QString& internalPath);

// AppPath & "\Temp"
QString WorkFolder();
// Makes the work folder, hidden, when no hidden folder of that name exists.
void makeWorkFolder();
// A bare member name joined to the work folder; a name that already holds a folder is kept.
QString inWorkFolder(const QString& name);

} // namespace ProgramFolder
