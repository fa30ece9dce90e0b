#pragma once

#include <QByteArray>
#include <QString>

namespace platform::fs {

// File attributes with VB's values.
namespace attr {
constexpr int Normal = 0;
constexpr int ReadOnly = 1;
constexpr int Hidden = 2;
constexpr int System = 4;
constexpr int Volume = 8;
constexpr int Directory = 16;
constexpr int Archive = 32;
} // namespace attr

// The hidden flag lives in the extended attribute user.DOSATTRIB; a file system without
// extended attributes reports "not hidden".
bool isHidden(const QString& path);
void setHidden(const QString& path, bool hidden);
// The programs' own mark on a file they wrote (AtomicFile::setOwnMark), so that a later run of
// either program can tell that file from a user's. It lives in the extended attribute
// user.vantrel.mark of the entry itself, never of what a link points to. Empty when the entry
// has no mark, is missing, or lies on a file system without extended attributes.
QByteArray ownMark(const QString& path);
// VB GetAttr: 53 when missing.
int attributes(const QString& path);
// VB FileLen: 53 when missing.
qint64 fileLength(const QString& path);

} // namespace platform::fs
