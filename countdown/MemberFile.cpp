#include "countdown/MemberFile.h"

#include "countdown/PackageReader.h"
#include "platform/FileSystem.h"

namespace package {

void writeMemberFile(QIODevice& package, const PackageMember& member, const QString& nativePath)
{
    platform::fs::writeNewFileExactly(nativePath, package, member.offset, member.byteCount);
}

} // namespace package
