#include "foundation/OleDate.h"
#include "foundation/VbValues.h"

#include "platform/Regional.h"
#include "platform/VbError.h"

#include <QDate>

#include <cmath>
#include <vector>

// Dates and numbers as text: VB's Format pattern letters and the standard date text.
namespace vb {

using platform::VbError;
namespace vberr = platform::vberr;

namespace {

struct Parts {
    int year, month, day, hour, minute, second;
    QDate date() const { return QDate(year, month, day); }
    // 1 = Sunday.
    int weekday() const { return date().dayOfWeek() % 7 + 1; }
};

Parts partsOf(double date)
{
    Parts p{};
    if (!oleDateToParts(date, &p.year, &p.month, &p.day, &p.hour, &p.minute, &p.second))
        throw VbError(vberr::Overflow);
    return p;
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

int hour12(int hour)
{
    return hour % 12 == 0 ? 12 : hour % 12;
}

// A Windows date/time picture (d M y h H m s t, quotes for literals), as the regional short
// date and time patterns are written.
QString picture(const Parts& p, const QString& pattern, const platform::Regional& regional)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('\''), i + 1);
            out += pattern.mid(i + 1, (end < 0 ? pattern.size() : end) - i - 1);
            i = end < 0 ? pattern.size() : end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const QString ampm = p.hour < 12 ? regional.amDesignator : regional.pmDesignator;
        switch (c.unicode()) {
        case 'd':
            out += run == 1 ? QString::number(p.day) : run == 2 ? twoDigits(p.day)
                 : run == 3 ? regional.dayAbbreviations.value(p.weekday() - 1) : regional.dayNames.value(p.weekday() - 1);
            break;
        case 'M':
            out += run == 1 ? QString::number(p.month) : run == 2 ? twoDigits(p.month)
                 : run == 3 ? regional.monthAbbreviations.value(p.month - 1) : regional.monthNames.value(p.month - 1);
            break;
        case 'y':
            out += run <= 2 ? twoDigits(p.year % 100) : QString::number(p.year).rightJustified(4, QLatin1Char('0'));
            break;
        case 'h': out += run == 1 ? QString::number(hour12(p.hour)) : twoDigits(hour12(p.hour)); break;
        case 'H': out += run == 1 ? QString::number(p.hour) : twoDigits(p.hour); break;
        case 'm': out += run == 1 ? QString::number(p.minute) : twoDigits(p.minute); break;
        case 's': out += run == 1 ? QString::number(p.second) : twoDigits(p.second); break;
        case 't': out += run == 1 ? ampm.left(1) : ampm; break;
        default: out += QString(run, c); break;
        }
        i += run;
    }
    return out;
}

// One piece of a VB format pattern.
struct Piece {
    enum Kind { Literal, Letter, AmPm, AP, AmPmRegional } kind;
    QString text; // Literal: the text; Letter: the letters, lower case; AM/PM kinds: as written
};

bool startsWithNoCase(const QString& text, qsizetype at, const char* word)
{
    return text.mid(at, qstrlen(word)).compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

std::vector<Piece> splitPattern(const QString& pattern)
{
    static const QString letters = QStringLiteral("dmyhnswqct");
    std::vector<Piece> pieces;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('"'), i + 1);
            pieces.push_back({Piece::Literal, pattern.mid(i + 1, (end < 0 ? pattern.size() : end) - i - 1)});
            i = end < 0 ? pattern.size() : end + 1;
        } else if (c == QLatin1Char('\\')) {
            pieces.push_back({Piece::Literal, pattern.mid(i + 1, 1)});
            i += 2;
        } else if (startsWithNoCase(pattern, i, "am/pm")) {
            pieces.push_back({Piece::AmPm, pattern.mid(i, 5)});
            i += 5;
        } else if (startsWithNoCase(pattern, i, "a/p")) {
            pieces.push_back({Piece::AP, pattern.mid(i, 3)});
            i += 3;
        } else if (startsWithNoCase(pattern, i, "ampm")) {
            pieces.push_back({Piece::AmPmRegional, pattern.mid(i, 4)});
            i += 4;
        } else if (letters.contains(lower)) {
            qsizetype run = 1;
            while (i + run < pattern.size() && pattern[i + run].toLower() == lower)
                ++run;
            pieces.push_back({Piece::Letter, QString(run, lower)});
            i += run;
        } else {
            pieces.push_back({Piece::Literal, QString(c)});
            ++i;
        }
    }
    return pieces;
}

bool isLetterPiece(const Piece& piece, QChar letter)
{
    return piece.kind == Piece::Letter && piece.text[0] == letter;
}

// "m" and "mm" mean minutes right after an hour or right before a second.
bool meansMinutes(const std::vector<Piece>& pieces, size_t at)
{
    for (size_t k = at; k-- > 0;) {
        if (pieces[k].kind == Piece::Letter) {
            if (isLetterPiece(pieces[k], QLatin1Char('h')))
                return true;
            break;
        }
    }
    for (size_t k = at + 1; k < pieces.size(); ++k) {
        if (pieces[k].kind == Piece::Letter)
            return isLetterPiece(pieces[k], QLatin1Char('s'));
    }
    return false;
}

int weekOfYear(const Parts& p)
{
    const QDate jan1(p.year, 1, 1);
    const int jan1Weekday = jan1.dayOfWeek() % 7; // 0 = Sunday
    return (p.date().dayOfYear() - 1 + jan1Weekday) / 7 + 1;
}

QString letterText(const Parts& p, const QString& letters, bool minutes, bool twelveHour, double date,
                   const platform::Regional& regional)
{
    const int count = static_cast<int>(letters.size());
    switch (letters[0].unicode()) {
    case 'd':
        if (count == 1) return QString::number(p.day);
        if (count == 2) return twoDigits(p.day);
        if (count == 3) return regional.dayAbbreviations.value(p.weekday() - 1);
        if (count == 4) return regional.dayNames.value(p.weekday() - 1);
        if (count == 5) return picture(p, regional.shortDatePattern, regional);
        return picture(p, QStringLiteral("dddd, MMMM dd, yyyy"), regional);
    case 'm':
        if (minutes && count <= 2) return count == 1 ? QString::number(p.minute) : twoDigits(p.minute);
        if (count == 1) return QString::number(p.month);
        if (count == 2) return twoDigits(p.month);
        if (count == 3) return regional.monthAbbreviations.value(p.month - 1);
        return regional.monthNames.value(p.month - 1);
    case 'y':
        if (count == 1) return QString::number(p.date().dayOfYear());
        if (count == 2) return twoDigits(p.year % 100);
        if (count == 3) return twoDigits(p.year % 100) + QString::number(p.date().dayOfYear());
        return QString::number(p.year);
    case 'h': {
        const int hour = twelveHour ? hour12(p.hour) : p.hour;
        return count == 1 ? QString::number(hour) : twoDigits(hour);
    }
    case 'n': return count == 1 ? QString::number(p.minute) : twoDigits(p.minute);
    case 's': return count == 1 ? QString::number(p.second) : twoDigits(p.second);
    case 'w': return count == 1 ? QString::number(p.weekday()) : QString::number(weekOfYear(p));
    case 'q': return QString::number((p.month - 1) / 3 + 1);
    case 'c': return dateText(date);
    case 't': return count >= 5 ? picture(p, regional.timePattern, regional) : QString(count, QLatin1Char('t'));
    default: return letters;
    }
}

// A regional separator that is not a character (unset, or a non-character such as U+FFFF from
// a failed conversion) would corrupt every text that holds it: the usual one stands in.
QString separator(QChar regionalSeparator, char usual)
{
    if (regionalSeparator.isNull() || regionalSeparator.isNonCharacter() || regionalSeparator.isSurrogate())
        return QString(QLatin1Char(usual));
    return QString(regionalSeparator);
}

} // namespace

QString format(double date, const QString& pattern)
{
    const platform::Regional& regional = platform::regional();
    if (pattern.isEmpty())
        return dateText(date);
    const Parts p = partsOf(date);
    const std::vector<Piece> pieces = splitPattern(pattern);
    bool twelveHour = false;
    for (const Piece& piece : pieces)
        twelveHour = twelveHour || piece.kind == Piece::AmPm || piece.kind == Piece::AP || piece.kind == Piece::AmPmRegional;
    const bool afternoon = p.hour >= 12;
    QString out;
    for (size_t k = 0; k < pieces.size(); ++k) {
        const Piece& piece = pieces[k];
        switch (piece.kind) {
        case Piece::Literal:
            out += piece.text == QLatin1String("/") ? separator(regional.dateSeparator, '/')
                 : piece.text == QLatin1String(":") ? separator(regional.timeSeparator, ':')
                                                    : piece.text;
            break;
        case Piece::Letter:
            out += letterText(p, piece.text, isLetterPiece(piece, QLatin1Char('m')) && meansMinutes(pieces, k),
                              twelveHour, date, regional);
            break;
        // The marker is the half of the pattern's own "AM/PM" or "A/P", so it keeps its letter case.
        case Piece::AmPm: out += afternoon ? piece.text.mid(3, 2) : piece.text.left(2); break;
        case Piece::AP: out += afternoon ? piece.text.mid(2, 1) : piece.text.left(1); break;
        case Piece::AmPmRegional: out += afternoon ? regional.pmDesignator : regional.amDesignator; break;
        }
    }
    return out;
}

QString dateText(double date)
{
    const platform::Regional& regional = platform::regional();
    const Parts p = partsOf(date);
    const bool noDay = p.year == 1899 && p.month == 12 && p.day == 30;
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    if (noDay)
        return picture(p, regional.timePattern, regional);
    if (midnight)
        return picture(p, regional.shortDatePattern, regional);
    return picture(p, regional.shortDatePattern, regional) + QLatin1Char(' ') + picture(p, regional.timePattern, regional);
}

QString formatNumber(double value, const QString& pattern)
{
    const platform::Regional& regional = platform::regional();
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString wholePart = point < 0 ? pattern : pattern.left(point);
    const QString fractionPart = point < 0 ? QString() : pattern.mid(point + 1);
    const int required = static_cast<int>(fractionPart.count(QLatin1Char('0')));
    const int optional = static_cast<int>(fractionPart.count(QLatin1Char('#')));
    const int minimumWhole = static_cast<int>(wholePart.count(QLatin1Char('0')));
    const bool grouped = wholePart.contains(QLatin1Char(','));
    // Halves go away from zero, as a formatted number shows them.
    const double scale = std::pow(10.0, required + optional);
    const double rounded = std::round(std::fabs(value) * scale) / scale;
    QString digits = QString::number(rounded, 'f', required + optional);
    QString whole = digits.section(QLatin1Char('.'), 0, 0);
    QString fraction = digits.section(QLatin1Char('.'), 1);
    while (fraction.size() > required && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (whole == QLatin1String("0") && minimumWhole == 0)
        whole.clear();
    whole = whole.rightJustified(minimumWhole, QLatin1Char('0'));
    if (grouped) {
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, regional.thousandsSeparator);
    }
    QString text = whole;
    if (point >= 0 && (!fraction.isEmpty() || required > 0))
        text += regional.decimalSeparator + fraction;
    else if (point >= 0 && optional > 0 && fraction.isEmpty())
        text += regional.decimalSeparator;
    return (value < 0 && rounded != 0 ? QStringLiteral("-") : QString()) + text;
}

} // namespace vb
