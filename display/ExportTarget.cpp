#include "display/ExportTarget.h"

#include "display/ExportShape.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QFileInfo>

namespace ExportTarget {

namespace {

[[noreturn]] void refuse()
{
    throw platform::VbError(58); // "File already exists"
}

} // namespace

void refuseUnlessReplaceable(const QString& path, const QByteArray* writtenHere)
{
    // The entry itself, not what it points to: QFileInfo asks lstat whether it is a link.
    const QFileInfo entry(platform::fs::resolve(path));
    if (entry.isSymLink())
        refuse();
    if (!entry.exists())
        return;
    // A pipe or a device is never read: it could block or never end.
    if (!entry.isFile() || entry.size() > ExportShape::kMaxExportBytes)
        refuse();
    const QByteArray bytes = platform::fs::readAll(path);
    if (writtenHere && bytes == *writtenHere)
        return;
    if (!ExportShape::isExport(bytes))
        refuse();
}

} // namespace ExportTarget
