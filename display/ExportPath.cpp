#include "display/ExportPath.h"

#include <QStringList>

#include <algorithm>

namespace ExportPath {

namespace {

QStringList extensionsOf(const QString& saveFormat)
{
    if (saveFormat == "1" || saveFormat == "2")
        return {"htm", "html"};
    if (saveFormat == "3")
        return {"txt"};
    if (saveFormat == "4" || saveFormat == "5")
        return {"csv", "txt"};
    if (saveFormat == "6")
        return {"xml"};
    return {};
}

// The text after the last dot of the last path component; empty when that has no dot.
QString extensionOf(const QString& path)
{
    const qsizetype nameStart = std::max(path.lastIndexOf('\\'), path.lastIndexOf('/')) + 1;
    const qsizetype dot = path.lastIndexOf('.');
    return dot < nameStart ? QString() : path.mid(dot + 1);
}

} // namespace

bool fitsFormat(const QString& path, const QString& saveFormat)
{
    const QString extension = extensionOf(path);
    return !extension.isEmpty() && extensionsOf(saveFormat).contains(extension, Qt::CaseInsensitive);
}

} // namespace ExportPath
