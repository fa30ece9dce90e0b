#pragma once

#include <QByteArray>
#include <QString>

// Whether the export may replace what is at its path. The path comes from a countdown package,
// so the export writes only where nothing is yet or where one of the programs' own exports is:
// never over a user's file and never through a symbolic link.
namespace ExportTarget {

// Raises 58 "File already exists" when the path names a symbolic link (also one whose target
// is missing), an entry that is no plain file, or a file that is not an export of the programs.
// writtenHere, when given, holds the bytes this run last wrote to the path: a file that still
// holds them is this run's own export whatever its shape.
void refuseUnlessReplaceable(const QString& path, const QByteArray* writtenHere);

} // namespace ExportTarget
