#include "platform/FileBytes.h"

#include "platform/AtomicFile.h"
#include "platform/FilePaths.h"
#include "platform/FileSystemDetail.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace platform::fs {

namespace detail {

int numberForErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return vberr::DiskFull;
    case EMFILE:
    case ENFILE:
        return vberr::TooManyFiles;
    case EACCES:
    case EPERM:
    case EROFS:
        return vberr::PermissionDenied;
    default:
        return vberr::DeviceIO;
    }
}

// The file opened by the system itself, so that a failure keeps its cause: too many open files
// is 67 and a refusal 70, where the file engine would only say that the open failed (75).
std::unique_ptr<QFile> openNative(const QString& native, int flags, QIODevice::OpenMode mode)
{
    const int descriptor = ::open(QFile::encodeName(native).constData(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        const int number = numberForErrno(errno);
        raise(number == vberr::DeviceIO ? vberr::PathFileAccess : number);
    }
    auto file = std::make_unique<QFile>(native);
    if (!file->open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        raise(vberr::PathFileAccess);
    }
    return file;
}

} // namespace detail

using namespace detail;

namespace {

[[noreturn]] void raiseWriteFailure(const QFileDevice& file)
{
    // Qt's own text for the error, which does not follow the desktop's language as strerror does.
    static const QString noSpace = qt_error_string(ENOSPC);
    const bool full = file.error() == QFileDevice::ResourceError || file.errorString().contains(noSpace);
    raise(full ? vberr::DiskFull : vberr::DeviceIO);
}

} // namespace

QByteArray readAll(const QString& path)
{
    auto file = openForRead(path);
    QByteArray bytes = file->readAll();
    if (file->error() != QFileDevice::NoError)
        raise(vberr::DeviceIO);
    return bytes;
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    auto file = openForWrite(path);
    writeBytes(*file, bytes);
    if (!file->flush())
        raiseWriteFailure(*file);
}

void appendAll(const QString& path, const QByteArray& bytes)
{
    const auto file = openNative(writableTarget(path), O_WRONLY | O_CREAT | O_APPEND,
                                 QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    writeBytes(*file, bytes);
    if (!file->flush())
        raiseWriteFailure(*file);
}

std::unique_ptr<QFile> openForRead(const QString& path)
{
    const QString native = existingFile(path);
    if (!QFileInfo(native).isReadable())
        raise(vberr::PermissionDenied);
    return openNative(native, O_RDONLY, QIODevice::ReadOnly);
}

std::unique_ptr<QFile> openForWrite(const QString& path)
{
    // Unbuffered, so that every failed write is reported by the write, not lost in a close.
    return openNative(writableTarget(path), O_WRONLY | O_CREAT | O_TRUNC,
                      QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

void copyBytes(QIODevice& from, QIODevice& to, qint64 count)
{
    QByteArray chunk;
    while (count > 0) {
        chunk = from.read(qMin(count, chunkSize));
        if (chunk.isEmpty())
            raise(vberr::InputPastEnd);
        writeBytes(to, chunk);
        count -= chunk.size();
    }
}

QByteArray readExactly(QIODevice& from, qint64 count)
{
    QByteArray bytes;
    while (count > 0) {
        const QByteArray chunk = from.read(qMin(count, chunkSize));
        if (chunk.isEmpty())
            raise(vberr::InputPastEnd);
        bytes += chunk;
        count -= chunk.size();
    }
    return bytes;
}

void writeBytes(QIODevice& to, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    // A write that the disk takes only in part returns what it took, without an error: the rest
    // is written again, so that a full disk gives its own error rather than a short count.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = to.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += written;
    }
    if (done == bytes.size())
        return;
    if (auto* atomic = dynamic_cast<AtomicFile*>(&to))
        raise(atomic->failureNumber());
    if (auto* file = qobject_cast<QFileDevice*>(&to))
        raiseWriteFailure(*file);
    raise(vberr::DeviceIO);
}

} // namespace platform::fs
