#include "platform/FileEntries.h"

#include "platform/AtomicFile.h"
#include "platform/FileBytes.h"
#include "platform/FilePaths.h"
#include "platform/FileSystemDetail.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace platform::fs {

using namespace detail;

void makeDir(const QString& path)
{
    checkName(path, false);
    QString native = resolve(path);
    while (native.size() > 1 && native.endsWith(QLatin1Char('/')))
        native.chop(1);
    const QFileInfo info(native);
    if (info.exists())
        raise(vberr::PathFileAccess);
    const QFileInfo parent(info.absolutePath());
    if (!parent.isDir())
        raise(vberr::PathNotFound);
    if (!QDir().mkdir(native))
        raise(vberr::PathFileAccess);
}

void removeFile(const QString& path)
{
    // A name is taken literally: "*" and "?" are refused by the name check, never expanded.
    const QString native = existingNative(path);
    if (native.isEmpty() || QFileInfo(native).isDir())
        raise(vberr::FileNotFound);
    if (!QFileInfo(QFileInfo(native).absolutePath()).isWritable())
        raise(vberr::PermissionDenied);
    if (!QFile::remove(native))
        raise(vberr::PathFileAccess);
}

void removeDir(const QString& path)
{
    const QString native = existingNative(path);
    if (native.isEmpty() || !QFileInfo(native).isDir())
        raise(vberr::PathNotFound);
    if (!QDir(native).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        raise(vberr::PathFileAccess);
    if (!QDir().rmdir(native))
        raise(vberr::PathFileAccess);
}

void copyFile(const QString& from, const QString& to)
{
    auto source = openForRead(from);
    auto target = openAtomic(to);
    copyBytes(*source, *target, source->size());
    commitAtomic(*target);
}

void rename(const QString& from, const QString& to)
{
    const QString source = existingNative(from);
    if (source.isEmpty())
        raise(vberr::FileNotFound);
    checkName(to, false);
    const QString target = resolve(to);
    const bool sameEntry = QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath();
    if (QFileInfo::exists(target) && !sameEntry)
        raise(vberr::FileAlreadyExists);
    // A change of case only: the given name is what the user wants to see.
    const QString wanted = sameEntry ? QFileInfo(target).absolutePath() + QLatin1Char('/') +
                                           QFileInfo(toNative(to)).fileName()
                                     : target;
    if (!QFileInfo(QFileInfo(wanted).absolutePath()).isDir())
        raise(vberr::PathNotFound);
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(wanted).constData()) != 0)
        raise(errno == EACCES || errno == EPERM ? vberr::PermissionDenied : vberr::PathFileAccess);
}

void renameExactly(const QString& fromNative, const QString& toNative)
{
    if (::rename(QFile::encodeName(fromNative).constData(), QFile::encodeName(toNative).constData()) == 0)
        return;
    const int failure = errno;
    if (failure == ENOENT && !nativeEntryExists(fromNative))
        throw VbError::about(vberr::FileNotFound, fromNative);
    // A folder of the target's name is not replaced.
    if (failure == EISDIR || failure == ENOTEMPTY || failure == EEXIST)
        raise(vberr::FileAlreadyExists);
    throw VbError::about(failure == EACCES || failure == EPERM ? vberr::PermissionDenied : vberr::PathFileAccess,
                         toNative);
}

} // namespace platform::fs
