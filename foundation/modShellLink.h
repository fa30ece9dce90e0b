#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdint>

namespace modShellLink {

// Writes a desktop launcher at `linkPath` (".lnk" becomes ".desktop") that starts `targetPath`
// with `arguments`. Empty working folder, arguments or icon path are left out. False, with
// nothing written, when the link or target path is empty or the launcher cannot be written.
bool CreateShellLink(const QString& linkPath, const QString& targetPath,
                     const QString& workingFolder, const QString& arguments,
                     const QString& iconPath, int32_t iconIndex, int32_t showCommand);

// The folder of special folder `csidl` (0 desktop, 7 Startup) in internal form, without a
// trailing separator. False, leaving `path` unchanged, when the folder is unknown or missing.
bool GetSpecialFolderPath(quintptr ownerWindow, int32_t csidl, QString& path);

} // namespace modShellLink
