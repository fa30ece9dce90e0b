#pragma once

#include <QString>

#include <array>

// The program folder as an internal (Windows-style) path without a trailing separator: the
// folder of the running executable, unless that folder is an installed copy or may not be written
// to; then the per-user folder "$XDG_DATA_HOME/Vantrel Countdown Clock", made and given the
// shipped files on the first call of the process (ApplicationFolder::programFolderFor).
// Raises platform::VbError 52 naming the folder when the executable's folder has a name the
// program cannot take (one that is not UTF-8 text, or holds a "\").
QString countdownApplicationFolder();

namespace ApplicationFolder {

// The per-user program folder's name inside $XDG_DATA_HOME.
inline constexpr const char* kUserFolderName = "Vantrel Countdown Clock";

// The file the install step leaves in the program folder. Where it lies, the folder is an
// installed copy, which the programs never write into, whoever runs them.
inline constexpr const char* kInstalledMarkName = "vantrel-installed";

// The files that ship in the program folder, relative to it: the per-user folder is given these
// and nothing else, never what a user of the program folder left there.
inline constexpr std::array<const char*, 5> kShippedFiles = {
    "BELL.MP3", "Alarm.wav", "vantrel-viewer.png", "Templates/Default.MVL", "Templates/Demo.MVL"};

// True when files can be created in the (native) folder.
bool isWritableFolder(const QString& nativeFolder);

// True when the (native) folder holds the install step's mark.
bool isInstalledFolder(const QString& nativeFolder);

// Makes `nativeUserFolder` (and its parents) and copies into it each of the shipped files of
// `nativeShippedFolder` that it does not already hold: a file the user already has is never
// replaced. The copies may be written to by their owner, whatever the shipped files' mode. A
// shipped file that is missing is left out. Returns the user folder as an internal path; raises
// platform::VbError when the folder cannot be made.
QString fillUserFolder(const QString& nativeShippedFolder, const QString& nativeUserFolder);

// The program folder for an executable that lies in `nativeExecutableFolder`: that folder when it
// is writable and not an installed copy, else the per-user folder filled from
// `nativeExecutableFolder`, where an install puts the shipped files beside the executables. An
// internal path. Settled on the first call of the process for that folder: later calls return
// the same folder and fill nothing.
QString programFolderFor(const QString& nativeExecutableFolder);

// The native per-user folder: $XDG_DATA_HOME (default ~/.local/share) / kUserFolderName.
QString userFolder();

} // namespace ApplicationFolder
