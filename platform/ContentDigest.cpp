#include "platform/ContentDigest.h"

#include "platform/FileSystem.h"
#include "platform/VbError.h"

#include <QCryptographicHash>
#include <QFile>

namespace platform::fs {

namespace {
constexpr QCryptographicHash::Algorithm kAlgorithm = QCryptographicHash::Sha256;
} // namespace

QByteArray contentDigest(QIODevice& file)
{
    const qint64 position = file.pos();
    QCryptographicHash hash(kAlgorithm);
    const bool readWhole = file.seek(0) && hash.addData(&file) && file.atEnd();
    file.seek(position);
    if (!readWhole)
        throw VbError(vberr::DeviceIO);
    return hash.result();
}

QByteArray contentDigest(const QString& path)
{
    const std::unique_ptr<QFile> file = openForRead(path);
    return contentDigest(*file);
}

QByteArray contentDigest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, kAlgorithm);
}

} // namespace platform::fs
