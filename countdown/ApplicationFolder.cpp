#include "countdown/ApplicationFolder.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QHash>

namespace ApplicationFolder {

bool isWritableFolder(const QString& nativeFolder)
{
    return platform::fs::isWritableFolder(nativeFolder);
}

bool isInstalledFolder(const QString& nativeFolder)
{
    return platform::fs::isNativeFile(platform::fs::joinNative(nativeFolder, QString::fromLatin1(kInstalledMarkName)));
}

QString fillUserFolder(const QString& nativeShippedFolder, const QString& nativeUserFolder)
{
    if (!platform::fs::makeFolderPath(nativeUserFolder))
        throw platform::VbError(platform::vberr::PathNotFound);
    QStringList names;
    for (const char* name : kShippedFiles)
        names << QString::fromLatin1(name);
    // A file that cannot be copied is left out; the program reports it when it needs it. The
    // user's copies are the user's own, and a template is saved back into its package.
    platform::fs::copyMissingFiles(nativeShippedFolder, nativeUserFolder, names);
    return platform::fs::toInternal(platform::fs::absoluteNative(nativeUserFolder));
}

QString userFolder()
{
    return platform::fs::userDataFolder(QString::fromLatin1(kUserFolderName));
}

QString programFolderFor(const QString& nativeExecutableFolder)
{
    // Settled once a process: every countdown object asks, and the per-user folder is filled
    // at the start, not again whenever a countdown is made.
    static QHash<QString, QString> settled;
    if (const auto known = settled.constFind(nativeExecutableFolder); known != settled.cend())
        return *known;
    // The superuser may write into an installed copy too; what it left there would reach
    // every other user.
    const QString folder = !isInstalledFolder(nativeExecutableFolder) && isWritableFolder(nativeExecutableFolder)
        ? platform::fs::toInternal(nativeExecutableFolder)
        : fillUserFolder(nativeExecutableFolder, userFolder());
    settled.insert(nativeExecutableFolder, folder);
    return folder;
}

} // namespace ApplicationFolder

QString countdownApplicationFolder()
{
    const QString executableFolder = platform::fs::executableFolder();
    // A folder the program cannot name is never stood in for by the per-user one.
    if (const QString whyNot = platform::fs::whyNativePathCannotBeTaken(executableFolder); !whyNot.isEmpty())
        throw platform::VbError(platform::vberr::BadFileName, whyNot);
    return ApplicationFolder::programFolderFor(executableFolder);
}
