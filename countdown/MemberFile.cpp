#include "countdown/MemberFile.h"

#include "countdown/PackageReader.h"
#include "platform/VbError.h"

#include <QFile>

#include <algorithm>

namespace package {

namespace {

using platform::VbError;
namespace vberr = platform::vberr;

constexpr qint64 kChunkBytes = qint64{64} * 1024;

[[noreturn]] void raiseWriteFailure(const QFileDevice& file)
{
    throw VbError(file.error() == QFileDevice::ResourceError ? vberr::DiskFull : vberr::DeviceIO);
}

// A write to a nearly full disk takes part of the bytes without an error; only writing the
// rest tells why it stopped.
void writeAllOf(QFile& file, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 taken = file.write(bytes.constData() + written, bytes.size() - written);
        if (taken <= 0)
            raiseWriteFailure(file);
        written += taken;
    }
}

void copyInto(QIODevice& package, const PackageMember& member, QFile& file)
{
    if (!package.seek(member.offset))
        throw VbError(vberr::InputPastEnd);
    qint64 left = member.byteCount;
    while (left > 0) {
        const QByteArray chunk = package.read(std::min(left, kChunkBytes));
        if (chunk.isEmpty())
            throw VbError(vberr::InputPastEnd);
        writeAllOf(file, chunk);
        left -= chunk.size();
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        raiseWriteFailure(file);
}

} // namespace

void writeMemberFile(QIODevice& package, const PackageMember& member, const QString& nativePath)
{
    QFile file(nativePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        throw VbError(vberr::PathFileAccess);
    try {
        copyInto(package, member, file);
    } catch (const VbError&) {
        file.close();
        QFile::remove(nativePath);
        throw;
    }
}

} // namespace package
