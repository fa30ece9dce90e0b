#include "platform/NativeEntries.h"

#include "platform/FilePaths.h"
#include "platform/FileSystemDetail.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace {

FileStamp stampOf(const struct stat& info)
{
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedSeconds = info.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = info.st_mtim.tv_nsec;
    return stamp;
}

} // namespace

EntryItself entryItself(const QString& nativePath)
{
    // QFileInfo asks lstat whether the entry is a link.
    const QFileInfo entry(nativePath);
    if (entry.isSymLink())
        return {true, true, false, 0};
    return {entry.exists(), false, entry.isFile(), entry.exists() ? entry.size() : 0};
}

bool isNativeFile(const QString& nativePath)
{
    return QFileInfo(nativePath).isFile();
}

bool isWritableFolder(const QString& nativePath)
{
    const QFileInfo info(nativePath);
    return info.isDir() && info.isWritable();
}

QDateTime lastModified(const QString& nativePath)
{
    const QFileInfo file(nativePath);
    if (!file.exists())
        detail::raise(vberr::FileNotFound);
    return file.lastModified();
}

std::optional<FileStamp> stampOfEntry(const QString& nativePath)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(nativePath).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return stampOf(info);
}

std::optional<FileStamp> stampOfOpenFile(const QFile& file)
{
    struct stat info {};
    if (::fstat(file.handle(), &info) != 0)
        return std::nullopt;
    return stampOf(info);
}

std::unique_ptr<QFile> openExactlyForRead(const QString& nativePath)
{
    auto file = std::make_unique<QFile>(nativePath);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

bool linkExactly(const QString& fromNative, const QString& toNative)
{
    return ::link(QFile::encodeName(fromNative).constData(), QFile::encodeName(toNative).constData()) == 0;
}

bool removeExactly(const QString& nativePath)
{
    return QFile::remove(nativePath);
}

bool makeFolderPath(const QString& nativePath)
{
    return QDir().mkpath(nativePath);
}

void copyMissingFiles(const QString& fromNative, const QString& toNative, const QStringList& names)
{
    for (const QString& name : names) {
        const QString source = joinNative(fromNative, name);
        const QString target = joinNative(toNative, name);
        if (QFileInfo::exists(target) || !QFileInfo(source).isFile())
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            continue;
        // The copy keeps the original's mode: an install may ship read-only files, but the
        // copies are the user's own.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

} // namespace platform::fs
