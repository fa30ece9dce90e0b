#include "platform/FileBytes.h"

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

int numberForFailedOpen(int error)
{
    const int number = numberForErrno(error);
    return number == vberr::DeviceIO ? vberr::PathFileAccess : number;
}

// The file opened by the system itself, so that a failure keeps its cause: too many open files
// is 67 and a refusal 70, where the file engine would only say that the open failed (75).
int openDescriptor(const QString& native, int flags)
{
    const int descriptor = ::open(QFile::encodeName(native).constData(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0)
        raise(numberForFailedOpen(errno));
    return descriptor;
}

std::unique_ptr<QFile> openNative(const QString& native, int flags, QIODevice::OpenMode mode)
{
    const int descriptor = openDescriptor(native, flags);
    auto file = std::make_unique<QFile>(native);
    if (!file->open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        raise(vberr::PathFileAccess);
    }
    return file;
}

} // namespace detail

using namespace detail;

WriteFile::WriteFile(int descriptor) : descriptor_(descriptor)
{
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

WriteFile::~WriteFile()
{
    closeDescriptor();
}

void WriteFile::closeDescriptor()
{
    if (descriptor_ < 0)
        return;
    ::close(descriptor_);
    descriptor_ = -1;
    QIODevice::close();
}

int WriteFile::failureNumber() const
{
    // errno is read as a number, never as text: the C library's messages follow the desktop's
    // language.
    return numberForErrno(failedErrno_) == vberr::DiskFull ? vberr::DiskFull : vberr::DeviceIO;
}

void WriteFile::finish()
{
    if (descriptor_ >= 0 && ::close(descriptor_) != 0 && failedErrno_ == 0)
        failedErrno_ = errno;
    descriptor_ = -1;
    QIODevice::close();
    if (failedErrno_ != 0)
        raise(failureNumber());
}

qint64 WriteFile::writeData(const char* data, qint64 size)
{
    if (descriptor_ < 0 || failedErrno_ != 0)
        return -1;
    ssize_t written = -1;
    do
        written = ::write(descriptor_, data, static_cast<size_t>(size));
    while (written < 0 && errno == EINTR);
    if (written < 0)
        failedErrno_ = errno;
    return written;
}

bool WriteFile::writeThrough(const char* data, qint64 size)
{
    while (size > 0) {
        const qint64 written = WriteFile::writeData(data, size);
        if (written < 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

namespace {

std::unique_ptr<WriteFile> openWriteFile(const QString& native, int flags)
{
    return std::make_unique<WriteFile>(openDescriptor(native, flags));
}

} // namespace

QByteArray readAll(const QString& path)
{
    return readRest(*openForRead(path));
}

QByteArray readRest(QFile& file)
{
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        raise(vberr::DeviceIO);
    return bytes;
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    auto file = openForWrite(path);
    writeBytes(*file, bytes);
    file->finish();
}

void appendAll(const QString& path, const QByteArray& bytes)
{
    const auto file = openWriteFile(writableTarget(path), O_WRONLY | O_CREAT | O_APPEND);
    writeBytes(*file, bytes);
    file->finish();
}

std::unique_ptr<QFile> openForRead(const QString& path)
{
    const QString native = existingFile(path);
    if (!QFileInfo(native).isReadable())
        raise(vberr::PermissionDenied);
    return openNative(native, O_RDONLY, QIODevice::ReadOnly);
}

std::unique_ptr<WriteFile> openForWrite(const QString& path)
{
    return openWriteFile(writableTarget(path), O_WRONLY | O_CREAT | O_TRUNC);
}

void writeNewFileExactly(const QString& nativePath, QIODevice& from, qint64 offset, qint64 count)
{
    const QByteArray encoded = QFile::encodeName(nativePath);
    const int descriptor = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0)
        raise(vberr::PathFileAccess);
    auto file = std::make_unique<WriteFile>(descriptor);
    try {
        if (!from.seek(offset))
            raise(vberr::InputPastEnd);
        copyBytes(from, *file, count);
        file->finish();
    } catch (const VbError&) {
        file.reset();
        ::unlink(encoded.constData());
        throw;
    }
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
    if (auto* file = dynamic_cast<WriteFile*>(&to))
        raise(file->failureNumber());
    raise(vberr::DeviceIO);
}

} // namespace platform::fs
