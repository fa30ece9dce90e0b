#include "countdown/PackageBytes.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace package {

namespace {
constexpr qint64 kCompareChunkBytes = 1 << 20;
}

bool sameBytes(QIODevice& a, QIODevice& b, qint64 count)
{
    const qint64 chunkBytes = std::min(count, kCompareChunkBytes);
    QByteArray chunkA(static_cast<qsizetype>(chunkBytes), Qt::Uninitialized);
    QByteArray chunkB(static_cast<qsizetype>(chunkBytes), Qt::Uninitialized);
    qint64 left = count;
    while (left > 0) {
        const qint64 want = std::min(left, kCompareChunkBytes);
        if (a.read(chunkA.data(), want) != want || b.read(chunkB.data(), want) != want)
            return false;
        if (std::memcmp(chunkA.constData(), chunkB.constData(), static_cast<size_t>(want)) != 0)
            return false;
        left -= want;
    }
    return true;
}

} // namespace package
