#include "platform/FileListing.h"

#include "platform/FileAttributes.h"
#include "platform/FilePaths.h"
#include "platform/FileSystemDetail.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>

namespace platform::fs {

using namespace detail;

namespace {

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

QStringList namesAlike(const QString& folderNative, const QString& name)
{
    QStringList alike = QDir(folderNative).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    alike.removeIf([&name](const QString& entry) { return entry.compare(name, Qt::CaseInsensitive) != 0; });
    return alike;
}

} // namespace platform::fs
