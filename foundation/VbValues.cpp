#include "foundation/VbValues.h"

#include "platform/Regional.h"
#include "platform/VbError.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace vb {

using platform::VbError;
namespace vberr = platform::vberr;

namespace {

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw VbError(vberr::Overflow);
    return std::nearbyint(value); // the default rounding mode takes halves to even
}

bool isValBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// "&H" / "&O" prefixed numbers: up to 16 bits they are Integers, up to 32 bits Longs, so the
// top bit makes them negative.
double radixValue(const QString& digits, int radix)
{
    quint64 value = 0;
    for (QChar c : digits) {
        const int digit = c.isDigit() ? c.digitValue() : c.isLetter() ? c.toUpper().unicode() - 'A' + 10 : -1;
        if (c.unicode() > 127 || digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu)
            throw VbError(vberr::Overflow);
    }
    if (value <= 0xFFFF)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// The %G text of printf with `digits` significant digits, always with "." whatever the C
// library's numeric locale: at least two exponent digits, no trailing zeros, as the standard
// text has them.
QString generalNumber(double value, int digits)
{
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    const std::to_chars_result end = std::to_chars(std::begin(buffer), std::end(buffer), value,
                                                   std::chars_format::general, digits);
    return QString::fromLatin1(buffer, end.ptr - buffer).toUpper();
}

QString withRegionalSeparator(QString text)
{
    text.replace(QLatin1Char('.'), platform::regional().decimalSeparator);
    return text;
}

} // namespace

int16_t cint(double value)
{
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw VbError(vberr::Overflow);
    return static_cast<int16_t>(rounded);
}

int32_t clng(double value)
{
    const double rounded = roundHalfEven(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        throw VbError(vberr::Overflow);
    return static_cast<int32_t>(rounded);
}

float csng(double value)
{
    if (std::isnan(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw VbError(vberr::Overflow);
    return static_cast<float>(value);
}

double val(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && isValBlank(text[i]))
        ++i;
    if (i + 1 < text.size() && text[i] == QLatin1Char('&')) {
        const QChar radix = text[i + 1].toUpper();
        if (radix == QLatin1Char('H'))
            return radixValue(text.mid(i + 2), 16);
        if (radix == QLatin1Char('O'))
            return radixValue(text.mid(i + 2), 8);
        return radixValue(text.mid(i + 1), 8);
    }
    QString number;
    bool seenPoint = false;
    bool seenDigit = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        number += text[i++];
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isValBlank(c))
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            number += c;
            seenDigit = true;
        } else if (c == QLatin1Char('.') && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    // An exponent counts only when digits follow it.
    if (seenDigit && i < text.size() && (text[i].toUpper() == QLatin1Char('E') || text[i].toUpper() == QLatin1Char('D'))) {
        QString exponent = QStringLiteral("e");
        qsizetype j = i + 1;
        while (j < text.size() && isValBlank(text[j]))
            ++j;
        if (j < text.size() && (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+')))
            exponent += text[j++];
        bool expDigit = false;
        for (; j < text.size(); ++j) {
            if (isValBlank(text[j]))
                continue;
            if (!(text[j].isDigit() && text[j].unicode() < 128))
                break;
            exponent += text[j];
            expDigit = true;
        }
        if (expDigit)
            number += exponent;
    }
    if (!seenDigit)
        return 0;
    const double value = number.toDouble();
    if (!std::isfinite(value))
        throw VbError(vberr::Overflow);
    return value;
}

double cdbl(const QString& text)
{
    static const QRegularExpression numeric(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?$)"));
    const platform::Regional& regional = platform::regional();
    QString plain;
    for (QChar c : text.trimmed()) {
        if (c == regional.thousandsSeparator && c != regional.decimalSeparator)
            continue;
        plain += c == regional.decimalSeparator ? QLatin1Char('.') : c;
    }
    if (plain.startsWith(QLatin1Char('&')) && plain.size() > 1)
        return val(plain);
    if (!numeric.match(plain).hasMatch())
        throw VbError(vberr::TypeMismatch);
    plain.replace(QLatin1Char('d'), QLatin1Char('e'), Qt::CaseInsensitive);
    const double value = plain.toDouble();
    if (!std::isfinite(value))
        throw VbError(vberr::Overflow);
    return value;
}

float csng(const QString& text)
{
    return csng(cdbl(text));
}

int16_t cint(const QString& text)
{
    return cint(cdbl(text));
}

int32_t clng(const QString& text)
{
    return clng(cdbl(text));
}

bool cbool(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return cdbl(trimmed) != 0;
}

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString singleText(float value)
{
    return withRegionalSeparator(generalNumber(value, 7));
}

QString doubleText(double value)
{
    return withRegionalSeparator(generalNumber(value, 15));
}

QString trim(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString str(double value)
{
    const QString text = generalNumber(value, 15);
    return value >= 0 ? QLatin1Char(' ') + text : text;
}

} // namespace vb
