#include "platform/AtomicFile.h"

#include "platform/FileBytes.h"
#include "platform/FilePaths.h"
#include "platform/FileSystemDetail.h"
#include "platform/UnheldLeftovers.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform::fs {

using namespace detail;

namespace {

constexpr char atomicMarker[] = ".vantrel-save-";
constexpr int atomicRandomLength = 6;
constexpr qsizetype longestName = 255; // bytes, as Linux file systems allow

QString randomLetters()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString text;
    for (int i = 0; i < atomicRandomLength; ++i)
        text += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return text;
}

// "<name>.vantrel-save-XXXXXX" beside the target, the name shortened where the whole would be
// longer than a file system allows.
QString atomicTemporaryName(QString targetName)
{
    const QString suffix = QLatin1String(atomicMarker) + randomLetters();
    while (!targetName.isEmpty() && QFile::encodeName(targetName + suffix).size() > longestName)
        targetName.chop(1);
    return targetName + suffix;
}

// The last entry of a chain of symbolic links (the path itself when it is none).
QString followLinks(QString native)
{
    for (int depth = 0; depth < 40 && QFileInfo(native).isSymLink(); ++depth)
        native = QFileInfo(native).symLinkTarget();
    return native;
}

struct AtomicTarget {
    QString native;
    bool replacesFile = false; // a regular file is there, whose permissions the new one keeps
    mode_t mode = 0;
};

// Only the entry itself is looked at: a link there is replaced like a missing file.
AtomicTarget atomicTarget(const QString& path, LinkPolicy policy)
{
    checkName(path, false);
    AtomicTarget target;
    target.native = resolve(path);
    if (policy == LinkPolicy::FollowUsersLink)
        target.native = followLinks(target.native);
    const QByteArray encoded = QFile::encodeName(target.native);
    struct stat entry {};
    const bool present = ::lstat(encoded.constData(), &entry) == 0;
    if (present && !S_ISREG(entry.st_mode) && !S_ISLNK(entry.st_mode))
        raise(vberr::PathFileAccess);
    const QFileInfo parent(QFileInfo(target.native).absolutePath());
    if (!parent.isDir())
        raise(vberr::PathNotFound);
    if (present && S_ISREG(entry.st_mode)) {
        if (::access(encoded.constData(), W_OK) != 0)
            throw VbError::about(vberr::PermissionDenied, target.native);
        target.replacesFile = true;
        target.mode = entry.st_mode & 07777;
    }
    if (::access(QFile::encodeName(parent.absoluteFilePath()).constData(), W_OK) != 0)
        throw VbError::about(vberr::PermissionDenied, parent.absoluteFilePath());
    return target;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the descriptor still is the file of that name: a cleaner may have removed the name
// between its creation and the lock.
bool descriptorIsNamed(int descriptor, const QByteArray& encodedName)
{
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(encodedName.constData(), &named) == 0 &&
           sameFile(opened, named);
}

// A new temporary file beside the target, created by this call (never an existing entry) and
// locked, so that no cleaner takes it while it is written.
int createLockedTemporary(const QString& folder, const QString& targetName, QString& temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + QLatin1Char('/') + atomicTemporaryName(targetName);
        const QByteArray encoded = QFile::encodeName(temporary);
        const int descriptor = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            throw VbError::about(numberForFailedOpen(errno), folder);
        }
        if (::flock(descriptor, LOCK_EX) == 0 && descriptorIsNamed(descriptor, encoded))
            return descriptor;
        ::close(descriptor);
    }
    raise(vberr::PathFileAccess);
}

} // namespace

void writeAtomic(const QString& path, const QByteArray& bytes, const QByteArray& ownMark)
{
    auto file = openAtomic(path);
    file->setOwnMark(ownMark);
    writeBytes(*file, bytes);
    commitAtomic(*file);
}

AtomicFile::AtomicFile(QString target, QString temporary, int descriptor)
    : WriteFile(descriptor), target_(std::move(target)), temporary_(std::move(temporary))
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (descriptor_ < 0)
        return;
    ::unlink(QFile::encodeName(temporary_).constData());
    closeDescriptor();
}

qint64 AtomicFile::writeData(const char* data, qint64 size)
{
    if (descriptor_ < 0 || failedErrno_ != 0)
        return -1;
    buffer_.append(data, size);
    if (buffer_.size() >= chunkSize && !flushBuffer())
        return -1;
    return size;
}

bool AtomicFile::flushBuffer()
{
    if (!writeThrough(buffer_.constData(), buffer_.size()))
        return false;
    buffer_.clear();
    return true;
}

std::unique_ptr<AtomicFile> openAtomic(const QString& path, LinkPolicy policy)
{
    const AtomicTarget target = atomicTarget(path, policy);
    const QFileInfo targetInfo(target.native);
    QString temporary;
    const int descriptor = createLockedTemporary(targetInfo.absolutePath(), targetInfo.fileName(), temporary);
    std::unique_ptr<AtomicFile> file(new AtomicFile(target.native, temporary, descriptor));
    if (target.replacesFile)
        ::fchmod(descriptor, target.mode); // a mode the owner may not set stays the default one
    return file;
}

void commitAtomic(AtomicFile& file)
{
    if (file.descriptor_ < 0)
        raise(vberr::DeviceIO);
    const QByteArray target = QFile::encodeName(file.target_);
    // The replacement is a new file: carry the old one's hidden flag over.
    struct stat entry {};
    const bool replacesFile = ::lstat(target.constData(), &entry) == 0 && S_ISREG(entry.st_mode);
    const int dosAttributes = replacesFile ? readDosAttributes(file.target_) : 0;
    // Set before the sync, so that the mark reaches the disk with the bytes it stands for.
    if (!file.ownMark_.isEmpty() &&
        ::fsetxattr(file.descriptor_, ownMarkName, file.ownMark_.constData(), static_cast<size_t>(file.ownMark_.size()), 0) != 0) {
        const int number = numberForErrno(errno) == vberr::DiskFull ? vberr::DiskFull : vberr::PathFileAccess;
        const QString targetPath = file.target_;
        file.discard();
        throw VbError::about(number, targetPath);
    }
    if (!file.flushBuffer() || ::fsync(file.descriptor_) != 0) {
        if (file.failedErrno_ == 0)
            file.failedErrno_ = errno;
        const int number = file.failureNumber();
        file.discard();
        raise(number);
    }
    if (dosAttributes != 0) {
        const QByteArray text = "0x" + QByteArray::number(dosAttributes, 16);
        ::fsetxattr(file.descriptor_, dosAttribName, text.constData(), static_cast<size_t>(text.size()), 0);
    }
    if (::rename(QFile::encodeName(file.temporary_).constData(), target.constData()) != 0) {
        const int number = numberForErrno(errno) == vberr::PermissionDenied ? vberr::PermissionDenied
                                                                             : vberr::PathFileAccess;
        file.discard();
        raise(number);
    }
    file.closeDescriptor();
}

bool isAtomicTemporaryName(const QString& name)
{
    const QString marker = QLatin1String(atomicMarker);
    const qsizetype at = name.size() - atomicRandomLength - marker.size();
    if (at < 0 || name.mid(at, marker.size()) != marker)
        return false;
    for (QChar c : name.mid(at + marker.size())) {
        if (c.unicode() > 0x7f || !c.isLetterOrNumber())
            return false;
    }
    return true;
}

void removeInterruptedWrites(const QString& folder)
{
    if (folder.isEmpty() || folder.contains(QChar(0)))
        return;
    removeUnheldLeftovers(resolve(folder), LeftoverKind::File, isAtomicTemporaryName);
}

} // namespace platform::fs
