#include "display/ExportTarget.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace ExportTarget {

namespace {

[[noreturn]] void refuse()
{
    throw platform::VbError(58); // "File already exists"
}

// The start of the mark of a file of that many bytes: a file of another size is refused
// without being read.
QByteArray markPrefix(qint64 size)
{
    return "vantrel-export size=" + QByteArray::number(size) + " sha256=";
}

} // namespace

QByteArray markOf(const QByteArray& bytes)
{
    return markPrefix(bytes.size()) + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

void refuseUnlessReplaceable(const QString& path)
{
    // The entry itself, not what it points to: QFileInfo asks lstat whether it is a link.
    const QFileInfo entry(platform::fs::resolve(path));
    if (entry.isSymLink())
        refuse();
    if (!entry.exists())
        return;
    // A pipe or a device is never read: it could block or never end.
    if (!entry.isFile())
        refuse();
    const QByteArray mark = platform::fs::ownMark(path);
    if (!mark.startsWith(markPrefix(entry.size())) || mark != markOf(platform::fs::readAll(path)))
        refuse();
}

void write(const QString& path, const QByteArray& bytes)
{
    platform::fs::writeAtomicMarked(path, bytes, markOf(bytes));
}

} // namespace ExportTarget
