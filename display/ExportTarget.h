#pragma once

#include <QByteArray>
#include <QString>

// Whether the export may replace what is at its path, and the writing of it. The path comes
// from a countdown package, so the export writes only where nothing is yet or where one of the
// programs' own exports is: never over a user's file and never through a symbolic link. A file
// is known as an export only by the mark the export sets on every file it writes (its size and
// digest): how a file looks is no proof, and a file changed since it was written, in place or
// replaced by another program, no longer bears the mark of what it holds.
namespace ExportTarget {

// The mark that a file holding these bytes bears when the export wrote it.
QByteArray markOf(const QByteArray& bytes);

// Raises 58 "File already exists" when the path names a symbolic link (also one whose target
// is missing), an entry that is no plain file, or a file that does not bear the mark of its
// own bytes.
void refuseUnlessReplaceable(const QString& path);

// Replaces the file whole with the bytes, marked; where the file system keeps no mark nothing
// is written and the error (75 naming the file) reaches the caller.
void write(const QString& path, const QByteArray& bytes);

} // namespace ExportTarget
