#include "countdown/ApplicationFolder.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ApplicationFolder {

namespace {

// The executables share the program folder with the shipped files; they stay where they are.
bool isProgram(const QString& nativeFile)
{
    return QFile::permissions(nativeFile) & (QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

} // namespace

bool isWritableFolder(const QString& nativeFolder)
{
    // Asks the system (access(2)), so a read-only mount counts as not writable too.
    const QFileInfo info(nativeFolder);
    return info.isDir() && info.isWritable();
}

QString fillUserFolder(const QString& nativeShippedFolder, const QString& nativeUserFolder)
{
    const QDir user(nativeUserFolder);
    if (!QDir().mkpath(nativeUserFolder))
        throw platform::VbError(76, QStringLiteral("Path not found"));
    const QDir shipped(nativeShippedFolder);
    QDirIterator files(nativeShippedFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString relative = shipped.relativeFilePath(source);
        const QString target = user.filePath(relative);
        if (QFileInfo::exists(target) || isProgram(source))
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
    if (isWritableFolder(nativeExecutableFolder))
        return platform::fs::toInternal(nativeExecutableFolder);
    return fillUserFolder(nativeExecutableFolder, userFolder());
}

} // namespace ApplicationFolder

QString countdownApplicationFolder()
{
    // A folder the program cannot name is never stood in for by the per-user one.
    if (const QString whyNot = platform::fs::whyNativePathCannotBeTaken(platform::fs::executableFolder());
        !whyNot.isEmpty())
        throw platform::VbError(platform::vberr::BadFileName, whyNot);
    return ApplicationFolder::programFolderFor(QCoreApplication::applicationDirPath());
}
