#include "platform/FileAttributes.h"

#include "platform/FilePaths.h"
#include "platform/FileSystemDetail.h"
#include "platform/VbError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/xattr.h>

namespace platform::fs {

namespace detail {

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

} // namespace detail

using namespace detail;

namespace {

constexpr size_t longestOwnMark = 256;

} // namespace

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

} // namespace platform::fs
