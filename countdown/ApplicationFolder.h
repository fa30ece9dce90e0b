#pragma once

#include <QString>

// The program folder as an internal (Windows-style) path without a trailing separator: the
// folder of the running executable. When that folder may not be written to (a system-wide
// install), the per-user folder "$XDG_DATA_HOME/Vantrel Countdown Clock" instead, made on first
// use and given the shipped files (sounds and templates) of the executable's folder that it does
// not hold yet. Raises platform::VbError 52 naming the folder when the executable's folder has
// a name the program cannot take (one that is not UTF-8 text, or holds a "\").
QString countdownApplicationFolder();

namespace ApplicationFolder {

// The per-user program folder's name inside $XDG_DATA_HOME.
inline constexpr const char* kUserFolderName = "Vantrel Countdown Clock";

// True when files can be created in the (native) folder.
bool isWritableFolder(const QString& nativeFolder);

// Makes `nativeUserFolder` (and its parents) and copies into it every file below
// `nativeShippedFolder`, keeping sub-folders, that it does not already hold: a file the user
// already has is never replaced, and programs (files with an execute bit) are left out. The
// copies may be written to by their owner, whatever the shipped files' mode. A missing shipped
// folder copies nothing. Returns the user folder as an internal path; raises platform::VbError
// when the folder cannot be made.
QString fillUserFolder(const QString& nativeShippedFolder, const QString& nativeUserFolder);

// The program folder for an executable that lies in `nativeExecutableFolder`: that folder when it
// is writable, else the per-user folder filled from `nativeExecutableFolder`, where an install
// puts the shipped files beside the executables. An internal path.
QString programFolderFor(const QString& nativeExecutableFolder);

// The native per-user folder: $XDG_DATA_HOME (default ~/.local/share) / kUserFolderName.
QString userFolder();

} // namespace ApplicationFolder
