#pragma once

#include "platform/VbError.h"

#include <QIODevice>
#include <QString>

#include <memory>

class QFile;
class QFileInfo;

// What the file layer's parts share among themselves; no code outside platform/ includes it.
namespace platform::fs::detail {

inline constexpr char dosAttribName[] = "user.DOSATTRIB";
inline constexpr char ownMarkName[] = "user.vantrel.mark";
inline constexpr qint64 chunkSize = qint64{64} * 1024;

[[noreturn]] inline void raise(int number)
{
    throw VbError(number);
}

bool hasWildcard(const QString& text);
// 52 for an empty name, a NUL, or "*" / "?" where no pattern may stand.
void checkName(const QString& path, bool patternAllowed);
// The entry of `folder` whose name equals `name` letter case aside; empty when none does.
QString lookUpWithoutCase(const QString& folder, const QString& name);
// The native path of an existing entry; empty when there is none.
QString existingNative(const QString& path);
// The native path of an existing file: 53 when missing, 75 for a folder.
QString existingFile(const QString& path);
// The native path of a file about to be created or replaced.
QString writableTarget(const QString& path);

// The hidden, system and read-only bits kept in user.DOSATTRIB; 0 when there are none.
int readDosAttributes(const QString& nativePath);
int attributesOf(const QFileInfo& info);

// VB's number for a failed system call's errno.
int numberForErrno(int error);
// VB's number for an open that failed with errno `error`: as numberForErrno, but 75 where that
// has no cause of its own to give.
int numberForFailedOpen(int error);
// Opens `native` with the system's open(2) (`flags`, close-on-exec, mode 0666 before the umask);
// a failure raises numberForFailedOpen's number.
int openDescriptor(const QString& native, int flags);
std::unique_ptr<QFile> openNative(const QString& native, int flags, QIODevice::OpenMode mode);

} // namespace platform::fs::detail
