#include "platform/FilePaths.h"

#include "platform/FileSystemDetail.h"
#include "platform/VbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <climits>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace detail {

bool hasWildcard(const QString& text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

// A Linux name may hold every character but NUL. The existence tests take every path for a
// pattern, so "*" and "?" stand only in the last component of a pattern: elsewhere they are
// refused rather than taken for part of a name, and no delete or copy ever reaches more than
// the one file meant.
void checkName(const QString& path, bool patternAllowed)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        raise(vberr::BadFileName);
    const QString native = toNative(path);
    const qsizetype lastSlash = native.lastIndexOf(QLatin1Char('/'));
    if (hasWildcard(native.left(lastSlash + 1)) || (!patternAllowed && hasWildcard(native.mid(lastSlash + 1))))
        raise(vberr::BadFileName);
}

QString lookUpWithoutCase(const QString& folder, const QString& name)
{
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString existingNative(const QString& path)
{
    checkName(path, false);
    QString native = resolve(path);
    if (!QFileInfo::exists(native))
        return {};
    return native;
}

QString existingFile(const QString& path)
{
    QString native = existingNative(path);
    if (native.isEmpty())
        raise(vberr::FileNotFound);
    if (QFileInfo(native).isDir())
        raise(vberr::PathFileAccess);
    return native;
}

// The native path of a file about to be created or replaced.
QString writableTarget(const QString& path)
{
    checkName(path, false);
    QString native = resolve(path);
    const QFileInfo info(native);
    if (info.isDir())
        raise(vberr::PathFileAccess);
    const QFileInfo parent(info.absolutePath());
    if (!parent.isDir())
        raise(vberr::PathNotFound);
    if (info.exists() && !info.isWritable())
        throw VbError::about(vberr::PermissionDenied, native);
    if (!info.exists() && !parent.isWritable())
        throw VbError::about(vberr::PermissionDenied, parent.filePath());
    return native;
}

} // namespace detail

using namespace detail;

QString toNative(const QString& internalPath)
{
    QString native = internalPath;
    native.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return native;
}

QString toInternal(const QString& nativePath)
{
    QString internal = nativePath;
    internal.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return internal;
}

QString resolve(const QString& internalPath)
{
    // ".." and "." are taken lexically, as Windows does, so they may pass a missing folder.
    QString native = toNative(internalPath);
    const bool trailingSlash = native.size() > 1 && native.endsWith(QLatin1Char('/'));
    native = QDir::cleanPath(native);
    if (trailingSlash && !native.endsWith(QLatin1Char('/')))
        native += QLatin1Char('/');
    if (native.isEmpty() || QFileInfo::exists(native))
        return native;
    const QStringList parts = native.split(QLatin1Char('/'));
    QString resolved;
    bool lookingUp = true; // once a component exists nowhere, the rest is new and kept as given
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            resolved += QLatin1Char('/');
        const QString& part = parts[i];
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") || !lookingUp ||
            QFileInfo::exists(resolved + part)) {
            resolved += part;
            continue;
        }
        const QString found = lookUpWithoutCase(resolved.isEmpty() ? QStringLiteral(".") : resolved, part);
        lookingUp = !found.isEmpty();
        resolved += lookingUp ? found : part;
    }
    return resolved;
}

bool exists(const QString& path)
{
    return !existingNative(path).isEmpty();
}

bool isDirectory(const QString& path)
{
    const QString native = existingNative(path);
    return !native.isEmpty() && QFileInfo(native).isDir();
}

bool isFile(const QString& path)
{
    const QString native = existingNative(path);
    return !native.isEmpty() && !QFileInfo(native).isDir();
}

bool nativeEntryExists(const QString& nativePath)
{
    struct stat entry {};
    return !nativePath.isEmpty() && ::lstat(QFile::encodeName(nativePath).constData(), &entry) == 0;
}

namespace {

// The entry of a folder (a path ending in "/", or empty for the current folder) whose name
// decodes to `name`, as the bytes of its path.
QByteArray entryDecodingTo(const QString& folder, const QString& name)
{
    const QByteArray encodedFolder = QFile::encodeName(folder);
    DIR* listing = ::opendir(folder.isEmpty() ? "." : encodedFolder.constData());
    if (!listing)
        return {};
    QByteArray found;
    while (const dirent* entry = ::readdir(listing)) {
        if (QFile::decodeName(entry->d_name) == name) {
            found = encodedFolder + entry->d_name;
            break;
        }
    }
    ::closedir(listing);
    return found;
}

// The leading part of a native path that names an entry whose name on disk is not UTF-8 text:
// decoding gave U+FFFD for what could not be read, so the decoded path finds nothing, while its
// folder holds an entry that decodes to the same name. Empty when the path has no such part.
struct UnreadableName {
    QString path;
    bool isFolder = false;
};

UnreadableName partNamedInOtherBytes(const QString& nativePath)
{
    if (!nativePath.contains(QChar::ReplacementCharacter) || nativeEntryExists(nativePath))
        return {};
    const QStringList parts = nativePath.split(QLatin1Char('/'));
    QString reached;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString folder = i > 0 ? reached + QLatin1Char('/') : QString();
        reached = folder + parts[i];
        if (parts[i].isEmpty() || nativeEntryExists(reached))
            continue;
        const QByteArray onDisk =
            parts[i].contains(QChar::ReplacementCharacter) ? entryDecodingTo(folder, parts[i]) : QByteArray();
        if (onDisk.isEmpty())
            return {};
        struct stat entry {};
        return {reached, ::stat(onDisk.constData(), &entry) == 0 && S_ISDIR(entry.st_mode)};
    }
    return {};
}

QString kindOfEntry(bool isFolder)
{
    return isFolder ? QStringLiteral("folder") : QStringLiteral("file");
}

} // namespace

QString whyNativePathCannotBeTaken(const QString& nativePath)
{
    if (const UnreadableName unreadable = partNamedInOtherBytes(nativePath); !unreadable.path.isEmpty()) {
        return QStringLiteral("The %1 %2 cannot be opened: its name is not UTF-8 text (shown here with \"%3\" "
                              "where it cannot be read), so this program cannot find it by its name. Rename the "
                              "%1 and try again.")
            .arg(kindOfEntry(unreadable.isFolder), unreadable.path, QString(QChar::ReplacementCharacter));
    }
    if (!nativePath.contains(QLatin1Char('\\')) || !nativeEntryExists(nativePath))
        return {};
    return QStringLiteral("The %1 %2 cannot be opened: its name holds a \"\\\", which this program uses "
                          "between folder names. Rename the %1 and open it again.")
        .arg(kindOfEntry(QFileInfo(nativePath).isDir()), nativePath);
}

QString executableFolder()
{
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", target.data(), static_cast<size_t>(target.size()));
    if (length <= 0)
        return QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    target.truncate(length);
    return QFileInfo(QFile::decodeName(target)).path();
}

QString currentFolder()
{
    return toInternal(QDir::currentPath());
}

bool isAbsoluteNative(const QString& nativePath)
{
    return QDir::isAbsolutePath(nativePath);
}

QString joinNative(const QString& folderNative, const QString& name)
{
    return QDir(folderNative).filePath(name);
}

QString absoluteNative(const QString& nativePath)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(nativePath));
}

QString userDataFolder(const QString& name)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(name);
}

QString runtimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString temporaryFolder()
{
    return QDir::tempPath();
}

uint userId()
{
    return ::geteuid();
}

} // namespace platform::fs
