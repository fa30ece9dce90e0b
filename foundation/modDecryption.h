#pragma once

#include <QByteArray>
#include <QString>

// Line scrambling of the data files: every byte of a line is raised by one (255 wraps to 0).
// The text forms work on the line's Windows-1252 bytes.
namespace modDecryption {

QByteArray ScrambleLine(const QByteArray& line);
QByteArray UnscrambleLine(const QByteArray& line);
QByteArray TagOfLine(const QByteArray& line);

QString ScrambleLine(const QString& line);
QString UnscrambleLine(const QString& line);
// The line up to and including its first ">"; empty when it has none.
QString TagOfLine(const QString& line);

} // namespace modDecryption
