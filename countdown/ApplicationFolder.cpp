#include "countdown/ApplicationFolder.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace ApplicationFolder {

bool isWritableFolder(const QString& nativeFolder)
{
    // Asks the system (access(2)), so a read-only mount counts as not writable too.
    const QFileInfo info(nativeFolder);
    return info.isDir() && info.isWritable();
}

bool isInstalledFolder(const QString& nativeFolder)
{
    return QFileInfo(QDir(nativeFolder).filePath(QString::fromLatin1(kInstalledMarkName))).isFile();
}

QString fillUserFolder(const QString& nativeShippedFolder, const QString& nativeUserFolder)
{
    const QDir user(nativeUserFolder);
    if (!QDir().mkpath(nativeUserFolder))
        throw platform::VbError(platform::vberr::PathNotFound);
    const QDir shipped(nativeShippedFolder);
    for (const char* name : kShippedFiles) {
        const QString source = shipped.filePath(QString::fromLatin1(name));
        const QString target = user.filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(target) || !QFileInfo(source).isFile())
            continue;
        // A file that cannot be copied is left out; the program reports it when it needs it.
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            continue;
        // The copy keeps the shipped file's mode; an install may ship read-only files, but the
        // user's copies are the user's own, and a template is saved back into its package.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return platform::fs::toInternal(QDir::cleanPath(user.absolutePath()));
}

QString userFolder()
{
    // GenericDataLocation is $XDG_DATA_HOME, or ~/.local/share when it is not set.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QString::fromLatin1(kUserFolderName));
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
