#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

class QFile;

namespace platform::fs {

QByteArray readAll(const QString& path);
// Creates or empties the file, then writes the bytes.
void writeAll(const QString& path, const QByteArray& bytes);
void appendAll(const QString& path, const QByteArray& bytes);

// Open files for the binary readers and writers; the errors of readAll and writeAll.
std::unique_ptr<QFile> openForRead(const QString& path);
std::unique_ptr<QFile> openForWrite(const QString& path); // created or emptied

// Copies exactly count bytes from one device to the other in chunks; 62 when the input ends
// early, 61 when the output cannot take them.
void copyBytes(QIODevice& from, QIODevice& to, qint64 count);
// Reads exactly count bytes; 62 when fewer are there.
QByteArray readExactly(QIODevice& from, qint64 count);
// Writes all bytes; 61 when they do not all go.
void writeBytes(QIODevice& to, const QByteArray& bytes);

} // namespace platform::fs
