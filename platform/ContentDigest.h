#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// A digest of all the bytes a file holds, to tell later whether anything has changed them.
namespace platform::fs {

// The digest of every byte of `file`, read from its start; its position is put back. 57 when
// the bytes cannot all be read.
QByteArray contentDigest(QIODevice& file);
// The digest of the file at the path; the errors of openForRead.
QByteArray contentDigest(const QString& path);
// The digest a file holding `bytes` has.
QByteArray contentDigest(const QByteArray& bytes);

} // namespace platform::fs
