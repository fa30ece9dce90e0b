#include "foundation/modShellLink.h"

#include "foundation/VbValues.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/VbError.h"

namespace modShellLink {

bool CreateShellLink(const QString& linkPath, const QString& targetPath,
                     const QString& workingFolder, const QString& arguments,
                     const QString& iconPath, int32_t iconIndex, int32_t showCommand)
{
    if (linkPath.isEmpty() || targetPath.isEmpty())
        return false;
    platform::LauncherSpec spec;
    spec.linkPath = linkPath;
    spec.target = targetPath;
    spec.workingFolder = workingFolder;
    spec.arguments = arguments;
    spec.description = QStringLiteral("ShellLink Sample");
    spec.iconPath = iconPath;
    spec.iconIndex = iconIndex;
    spec.showCommand = showCommand;
    return platform::services().shell->writeLauncher(spec);
}

bool GetSpecialFolderPath(quintptr /*ownerWindow*/, int32_t csidl, QString& path)
{
    // Blanks only: any other space character is part of a folder's name.
    QString folder = vb::trim(platform::services().shell->specialFolder(csidl));
    if (folder.endsWith(QChar(0)))
        folder.chop(1);
    try {
        if (folder.isEmpty() || !platform::fs::isDirectory(folder))
            return false;
    } catch (const platform::VbError&) {
        // A folder name the file layer cannot even look up is a folder that is not there.
        return false;
    }
    path = folder;
    return true;
}

} // namespace modShellLink
