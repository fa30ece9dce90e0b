#include "platform/FileSystem.h"

#include "platform/VbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform::fs {

namespace {

constexpr char dosAttribName[] = "user.DOSATTRIB";
constexpr char ownMarkName[] = "user.vantrel.mark";
constexpr size_t longestOwnMark = 256;
constexpr qint64 chunkSize = qint64{64} * 1024;

[[noreturn]] void raise(int number)
{
    throw VbError(number);
}

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

int readDosAttributes(const QString& nativePath)
{
    char buffer[64] = {};
    const QByteArray encoded = QFile::encodeName(nativePath);
    const ssize_t length = ::getxattr(encoded.constData(), dosAttribName, buffer, sizeof buffer - 1);
    if (length <= 0)
        return 0;
    // Stored as hexadecimal text ("0x2"), possibly followed by a NUL or binary data.
    const QByteArray text(buffer, qstrnlen(buffer, static_cast<size_t>(length)));
    bool ok = false;
    const int value = text.startsWith("0x") ? text.mid(2).toInt(&ok, 16) : 0;
    return ok ? value : 0;
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
            const int number = numberForErrno(errno);
            throw VbError::about(number == vberr::DeviceIO ? vberr::PathFileAccess : number, folder);
        }
        if (::flock(descriptor, LOCK_EX) == 0 && descriptorIsNamed(descriptor, encoded))
            return descriptor;
        ::close(descriptor);
    }
    raise(vberr::PathFileAccess);
}

[[noreturn]] void raiseWriteFailure(const QFileDevice& file)
{
    // Qt's own text for the error, which does not follow the desktop's language as strerror does.
    static const QString noSpace = qt_error_string(ENOSPC);
    const bool full = file.error() == QFileDevice::ResourceError || file.errorString().contains(noSpace);
    raise(full ? vberr::DiskFull : vberr::DeviceIO);
}

int attributesOf(const QFileInfo& info)
{
    int value = readDosAttributes(info.absoluteFilePath()) & (attr::ReadOnly | attr::Hidden | attr::System);
    if (info.isDir())
        value |= attr::Directory;
    else
        value |= attr::Archive;
    if (!info.isWritable())
        value |= attr::ReadOnly;
    return value;
}

bool passesMask(int attributes, int mask)
{
    const int restricted = attributes & (attr::Hidden | attr::System | attr::Directory);
    return (restricted & ~mask) == 0;
}

bool matchFrom(const QString& name, qsizetype n, const QString& pattern, qsizetype p)
{
    while (p < pattern.size()) {
        const QChar pc = pattern[p];
        if (pc == QLatin1Char('*')) {
            for (qsizetype rest = n; rest <= name.size(); ++rest) {
                if (matchFrom(name, rest, pattern, p + 1))
                    return true;
            }
            return false;
        }
        if (n >= name.size())
            return false;
        if (pc != QLatin1Char('?') && pc.toCaseFolded() != name[n].toCaseFolded())
            return false;
        ++n;
        ++p;
    }
    return n == name.size();
}

} // namespace

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

bool isHidden(const QString& path)
{
    const QString native = existingNative(path);
    return !native.isEmpty() && (readDosAttributes(native) & attr::Hidden) != 0;
}

void setHidden(const QString& path, bool hidden)
{
    const QString native = existingNative(path);
    if (native.isEmpty())
        raise(vberr::FileNotFound);
    int value = readDosAttributes(native);
    value = hidden ? (value | attr::Hidden) : (value & ~attr::Hidden);
    const QByteArray encoded = QFile::encodeName(native);
    int result = 0;
    if (value == 0) {
        result = ::removexattr(encoded.constData(), dosAttribName);
        if (result != 0 && errno == ENODATA)
            result = 0;
    } else {
        const QByteArray text = "0x" + QByteArray::number(value, 16);
        result = ::setxattr(encoded.constData(), dosAttribName, text.constData(), text.size(), 0);
    }
    if (result != 0 && errno != ENOTSUP)
        throw VbError::about(errno == EACCES || errno == EPERM ? vberr::PermissionDenied : vberr::PathFileAccess, native);
}

QByteArray ownMark(const QString& path)
{
    const QString native = existingNative(path);
    if (native.isEmpty())
        return {};
    char buffer[longestOwnMark];
    // A longer value is none the programs set: ERANGE, no mark.
    const ssize_t length = ::lgetxattr(QFile::encodeName(native).constData(), ownMarkName, buffer, sizeof buffer);
    return length > 0 ? QByteArray(buffer, length) : QByteArray();
}

int attributes(const QString& path)
{
    const QString native = existingNative(path);
    if (native.isEmpty())
        raise(vberr::FileNotFound);
    return attributesOf(QFileInfo(native));
}

qint64 fileLength(const QString& path)
{
    const QString native = existingNative(path);
    if (native.isEmpty())
        raise(vberr::FileNotFound);
    return QFileInfo(native).size();
}

bool matchesPattern(const QString& name, const QString& pattern)
{
    if (pattern == QLatin1String("*.*") || matchFrom(name, 0, pattern, 0))
        return true;
    // "name.*" also matches "name" without an extension, as directory searches do.
    return pattern.endsWith(QLatin1String(".*")) && !name.contains(QLatin1Char('.')) &&
           matchFrom(name, 0, pattern.chopped(2), 0);
}

QStringList dir(const QString& pattern, int attributeMask)
{
    checkName(pattern, true);
    const QString native = toNative(pattern);
    const qsizetype lastSlash = native.lastIndexOf(QLatin1Char('/'));
    QString folder = lastSlash < 0 ? QStringLiteral(".") : native.left(lastSlash + 1);
    QString namePattern = native.mid(lastSlash + 1);
    folder = resolve(folder);
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        return {};
    QStringList names;
    if (namePattern.isEmpty())
        namePattern = QStringLiteral("*");
    QDir folderDir(folder);
    if (!hasWildcard(namePattern)) {
        QString name = QFileInfo::exists(folderDir.filePath(namePattern)) ? namePattern
                                                                         : lookUpWithoutCase(folder, namePattern);
        if (!name.isEmpty() && passesMask(attributesOf(QFileInfo(folderDir.filePath(name))), attributeMask))
            names << name;
        return names;
    }
    if ((attributeMask & attr::Directory) && !folderDir.isRoot()) {
        for (const QString& dot : {QStringLiteral("."), QStringLiteral("..")}) {
            if (matchesPattern(dot, namePattern) &&
                passesMask(attributesOf(QFileInfo(folderDir.filePath(dot))), attributeMask))
                names << dot;
        }
    }
    const QFileInfoList entries = folderDir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (matchesPattern(entry.fileName(), namePattern) && passesMask(attributesOf(entry), attributeMask))
            names << entry.fileName();
    }
    return names;
}

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
        raise(58);
    // A change of case only: the given name is what the user wants to see.
    const QString wanted = sameEntry ? QFileInfo(target).absolutePath() + QLatin1Char('/') +
                                           QFileInfo(toNative(to)).fileName()
                                     : target;
    if (!QFileInfo(QFileInfo(wanted).absolutePath()).isDir())
        raise(vberr::PathNotFound);
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(wanted).constData()) != 0)
        raise(errno == EACCES || errno == EPERM ? vberr::PermissionDenied : vberr::PathFileAccess);
}

QStringList namesAlike(const QString& folderNative, const QString& name)
{
    QStringList alike = QDir(folderNative).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    alike.removeIf([&name](const QString& entry) { return entry.compare(name, Qt::CaseInsensitive) != 0; });
    return alike;
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
        raise(58);
    throw VbError::about(failure == EACCES || failure == EPERM ? vberr::PermissionDenied : vberr::PathFileAccess,
                         toNative);
}

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

void writeAtomic(const QString& path, const QByteArray& bytes, const QByteArray& ownMark)
{
    auto file = openAtomic(path);
    file->setOwnMark(ownMark);
    writeBytes(*file, bytes);
    commitAtomic(*file);
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

AtomicFile::AtomicFile(QString target, QString temporary, int descriptor)
    : target_(std::move(target)), temporary_(std::move(temporary)), descriptor_(descriptor)
{
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
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
    ::close(descriptor_);
    descriptor_ = -1;
    QIODevice::close();
}

int AtomicFile::failureNumber() const
{
    return numberForErrno(failedErrno_) == vberr::DiskFull ? vberr::DiskFull : vberr::DeviceIO;
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
    const char* next = buffer_.constData();
    qsizetype left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor_, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            failedErrno_ = errno;
            return false;
        }
        next += written;
        left -= written;
    }
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
    ::close(file.descriptor_);
    file.descriptor_ = -1;
    file.QIODevice::close();
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

namespace {

// Removes the file when no process holds its lock; the lock is kept while the name is removed,
// and the name must still be the file that was locked.
void removeWhenNotInUse(const QString& native)
{
    const QByteArray encoded = QFile::encodeName(native);
    const int descriptor = ::open(encoded.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return;
    struct stat opened {};
    if (::fstat(descriptor, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
        descriptorIsNamed(descriptor, encoded))
        ::unlink(encoded.constData());
    ::close(descriptor);
}

} // namespace

void removeInterruptedWrites(const QString& folder)
{
    if (folder.isEmpty() || folder.contains(QChar(0)))
        return;
    const QString native = resolve(folder);
    const QStringList names =
        QDir(native).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (isAtomicTemporaryName(name))
            removeWhenNotInUse(native + QLatin1Char('/') + name);
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
    if (auto* atomic = dynamic_cast<AtomicFile*>(&to))
        raise(atomic->failureNumber());
    if (auto* file = qobject_cast<QFileDevice*>(&to))
        raiseWriteFailure(*file);
    raise(vberr::DeviceIO);
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

} // namespace platform::fs
