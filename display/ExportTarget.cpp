#include "display/ExportTarget.h"

#include "platform/ContentDigest.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"

namespace ExportTarget {

namespace {

[[noreturn]] void refuse()
{
    throw platform::VbError(platform::vberr::FileAlreadyExists);
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
    return markPrefix(bytes.size()) + platform::fs::contentDigest(bytes).toHex();
}

void refuseUnlessReplaceable(const QString& path)
{
    // The entry itself, not what it points to.
    const platform::fs::EntryItself entry = platform::fs::entryItself(platform::fs::resolve(path));
    if (entry.isLink)
        refuse();
    if (!entry.exists)
        return;
    // A pipe or a device is never read: it could block or never end.
    if (!entry.isFile)
        refuse();
    const QByteArray prefix = markPrefix(entry.size);
    const QByteArray mark = platform::fs::ownMark(path);
    if (!mark.startsWith(prefix) || mark != prefix + platform::fs::contentDigest(path).toHex())
        refuse();
}

void write(const QString& path, const QByteArray& bytes)
{
    platform::fs::writeAtomic(path, bytes, markOf(bytes));
}

} // namespace ExportTarget
