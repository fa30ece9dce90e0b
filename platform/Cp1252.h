#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Windows code page 1252. The five bytes the code page leaves undefined map to the C1 control
// characters of the same value, so every byte survives a round trip.
QString fromCp1252(const QByteArray& bytes);
// Characters outside the code page become '?'.
QByteArray toCp1252(const QString& text);
// The code page byte of one character, or -1.
int cp1252Byte(QChar c);

} // namespace platform
