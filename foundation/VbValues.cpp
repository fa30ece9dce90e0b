#include "foundation/VbValues.h"

#include "platform/Regional.h"
#include "platform/VbError.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

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

qsizetype skipValBlanks(const QString& text, qsizetype at)
{
    while (at < text.size() && isValBlank(text[at]))
        ++at;
    return at;
}

bool isAsciiDigit(QChar c)
{
    return c.isDigit() && c.unicode() < 128;
}

bool isExponentLetter(QChar c)
{
    const QChar upper = c.toUpper();
    return upper == QLatin1Char('E') || upper == QLatin1Char('D');
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

// The value of a text that starts (after blanks) "&H" (hexadecimal), "&O" or just "&" (octal),
// or nothing for any other text.
std::optional<double> radixPrefixed(const QString& text, qsizetype at)
{
    if (at + 1 >= text.size() || text[at] != QLatin1Char('&'))
        return std::nullopt;
    const QChar radix = text[at + 1].toUpper();
    if (radix == QLatin1Char('H'))
        return radixValue(text.mid(at + 2), 16);
    if (radix == QLatin1Char('O'))
        return radixValue(text.mid(at + 2), 8);
    return radixValue(text.mid(at + 1), 8);
}

// The digits val has read so far, as text toDouble reads, and whether any is a digit.
struct ValDigits {
    QString text;
    bool any = false;
};

// A leading "+" or "-" goes into the number; returns where reading goes on.
qsizetype appendSign(const QString& text, qsizetype at, QString& number)
{
    if (at < text.size() && (text[at] == QLatin1Char('-') || text[at] == QLatin1Char('+')))
        number += text[at++];
    return at;
}

// ASCII digits from `at` on, and one point where allowed, with the blanks between them left
// out; returns where the first other character stands.
qsizetype appendDigits(const QString& text, qsizetype at, bool pointAllowed, ValDigits& number)
{
    for (; at < text.size(); ++at) {
        const QChar c = text[at];
        if (isValBlank(c))
            continue;
        if (isAsciiDigit(c)) {
            number.text += c;
            number.any = true;
        } else if (pointAllowed && c == QLatin1Char('.')) {
            number.text += c;
            pointAllowed = false;
        } else {
            break;
        }
    }
    return at;
}

// The exponent after an "E" or "D" as "e" and its signed digits; an exponent counts only when
// digits follow it, so without them it is empty.
QString exponentAfter(const QString& text, qsizetype at)
{
    ValDigits exponent{QStringLiteral("e")};
    at = appendSign(text, skipValBlanks(text, at), exponent.text);
    appendDigits(text, at, false, exponent);
    return exponent.any ? exponent.text : QString();
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
    const qsizetype start = skipValBlanks(text, 0);
    if (const std::optional<double> prefixed = radixPrefixed(text, start))
        return *prefixed;
    ValDigits number;
    qsizetype at = appendSign(text, start, number.text);
    at = appendDigits(text, at, true, number);
    if (!number.any)
        return 0;
    if (at < text.size() && isExponentLetter(text[at]))
        number.text += exponentAfter(text, at + 1);
    const double value = number.text.toDouble();
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
