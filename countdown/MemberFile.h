#pragma once

#include <QString>

class QIODevice;

namespace package {

struct PackageMember;

// Writes the member's bytes to a new file at `nativePath` (which must not exist yet). Every
// write is checked, through to the close, so a file that did not get all its bytes is never
// taken for a whole one: VbError 61 when the disk is full, 57 for any other write failure,
// 75 when the file cannot be made. A file that failed is removed.
void writeMemberFile(QIODevice& package, const PackageMember& member, const QString& nativePath);

} // namespace package
