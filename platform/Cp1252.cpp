#include "platform/Cp1252.h"

namespace platform {

namespace {

// 0x80..0x9F; the undefined 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their C1 value.
constexpr char16_t high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString fromCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

int cp1252Byte(QChar c)
{
    const char16_t code = c.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return code;
    for (int i = 0; i < 32; ++i) {
        if (high[i] == code)
            return 0x80 + i;
    }
    return -1;
}

QByteArray toCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character beyond the basic plane is two code units but one unmappable character.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        const int byte = cp1252Byte(c);
        bytes += static_cast<char>(byte < 0 ? '?' : byte);
    }
    return bytes;
}

} // namespace platform
