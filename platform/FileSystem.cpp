#include "platform/FileSystem.h"

#include "platform/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/xattr.h>

#include <cerrno>
#include <cstring>

namespace platform::fs {

namespace {

constexpr char dosAttribName[] = "user.DOSATTRIB";
constexpr qint64 chunkSize = 64 * 1024;

[[noreturn]] void raise(int number)
{
    throw VbError(number);
}

bool hasWildcard(const QString& text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

// Characters no Windows file name may hold; wildcards only where a pattern is allowed.
void checkName(const QString& path, bool patternAllowed)
{
    if (path.isEmpty())
        raise(vberr::BadFileName);
    static const QString forbidden = QStringLiteral("<>|\"");
    for (QChar c : path) {
        if (c.unicode() < 0x20 || forbidden.contains(c))
            raise(vberr::BadFileName);
    }
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
    const QString native = resolve(path);
    if (!QFileInfo::exists(native))
        return {};
    return native;
}

QString existingFile(const QString& path)
{
    const QString native = existingNative(path);
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
    const QString native = resolve(path);
    const QFileInfo info(native);
    if (info.isDir())
        raise(vberr::PathFileAccess);
    const QFileInfo parent(info.absolutePath());
    if (!parent.isDir())
        raise(vberr::PathNotFound);
    if ((info.exists() && !info.isWritable()) || (!info.exists() && !parent.isWritable()))
        raise(vberr::PermissionDenied);
    return native;
}

[[noreturn]] void raiseWriteFailure(const QFileDevice& file)
{
    // Qt's own text for the error, which does not follow the desktop's language as strerror does.
    static const QString noSpace = qt_error_string(ENOSPC);
    raise(file.errorString().contains(noSpace) ? vberr::DiskFull : vberr::DeviceIO);
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
        raise(errno == EACCES || errno == EPERM ? vberr::PermissionDenied : vberr::PathFileAccess);
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

QByteArray readAll(const QString& path)
{
    auto file = openForRead(path);
    const QByteArray bytes = file->readAll();
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
    const QString native = writableTarget(path);
    QFile file(native);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        raise(vberr::PathFileAccess);
    writeBytes(file, bytes);
    if (!file.flush())
        raiseWriteFailure(file);
}

void writeAtomic(const QString& path, const QByteArray& bytes)
{
    auto file = openAtomic(path);
    writeBytes(*file, bytes);
    commitAtomic(*file);
}

std::unique_ptr<QFile> openForRead(const QString& path)
{
    const QString native = existingFile(path);
    auto file = std::make_unique<QFile>(native);
    if (!QFileInfo(native).isReadable())
        raise(vberr::PermissionDenied);
    if (!file->open(QIODevice::ReadOnly))
        raise(vberr::PathFileAccess);
    return file;
}

std::unique_ptr<QFile> openForWrite(const QString& path)
{
    auto file = std::make_unique<QFile>(writableTarget(path));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        raise(vberr::PathFileAccess);
    return file;
}

std::unique_ptr<QSaveFile> openAtomic(const QString& path)
{
    auto file = std::make_unique<QSaveFile>(writableTarget(path));
    if (!file->open(QIODevice::WriteOnly))
        raise(vberr::PathFileAccess);
    return file;
}

void commitAtomic(QSaveFile& file)
{
    // The replacement is a new file: carry the old one's hidden flag over.
    const QString native = file.fileName();
    const bool wasHidden = QFileInfo::exists(native) && (readDosAttributes(native) & attr::Hidden);
    if (!file.commit())
        raiseWriteFailure(file);
    if (wasHidden)
        setHidden(toInternal(native), true);
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
    if (to.write(bytes) != bytes.size()) {
        if (auto* file = qobject_cast<QFileDevice*>(&to))
            raiseWriteFailure(*file);
        raise(vberr::DeviceIO);
    }
}

QString currentFolder()
{
    return toInternal(QDir::currentPath());
}

} // namespace platform::fs
