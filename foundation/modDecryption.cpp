#include "foundation/modDecryption.h"

#include "platform/Cp1252.h"

namespace modDecryption {

QByteArray ScrambleLine(const QByteArray& line)
{
    QByteArray scrambled(line);
    for (char& byte : scrambled)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + 1);
    return scrambled;
}

QByteArray UnscrambleLine(const QByteArray& line)
{
    QByteArray plain(line);
    for (char& byte : plain)
        byte = static_cast<char>(static_cast<unsigned char>(byte) - 1);
    return plain;
}

QByteArray TagOfLine(const QByteArray& line)
{
    const qsizetype end = line.indexOf('>');
    return end < 0 ? QByteArray() : line.left(end + 1);
}

} // namespace modDecryption

namespace modDecryption {

QString ScrambleLine(const QString& line)
{
    return platform::fromCp1252(ScrambleLine(platform::toCp1252(line)));
}

QString UnscrambleLine(const QString& line)
{
    return platform::fromCp1252(UnscrambleLine(platform::toCp1252(line)));
}

QString TagOfLine(const QString& line)
{
    const qsizetype end = line.indexOf(u'>');
    return end < 0 ? QString() : line.left(end + 1);
}

} // namespace modDecryption
