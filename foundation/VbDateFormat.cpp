#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "platform/Regional.h"
#include "platform/VbError.h"

#include <QDate>

#include <cmath>
#include <utility>
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

// A number field as its letters ask: one letter without padding, more as two digits.
QString oneOrTwoDigits(int value, qsizetype letters)
{
    return letters == 1 ? QString::number(value) : twoDigits(value);
}

// d, dd: the day; ddd, dddd and longer: the weekday's short and long name.
QString dayText(const Parts& p, qsizetype letters, const platform::Regional& regional)
{
    if (letters <= 2)
        return oneOrTwoDigits(p.day, letters);
    const int weekday = p.weekday() - 1;
    return letters == 3 ? regional.dayAbbreviations.value(weekday) : regional.dayNames.value(weekday);
}

// M, MM: the month's number; MMM, MMMM and longer: its short and long name.
QString monthText(const Parts& p, qsizetype letters, const platform::Regional& regional)
{
    if (letters <= 2)
        return oneOrTwoDigits(p.month, letters);
    return letters == 3 ? regional.monthAbbreviations.value(p.month - 1) : regional.monthNames.value(p.month - 1);
}

// y, yy: the year in the century; yyy and longer: the year in four digits at least.
QString pictureYearText(const Parts& p, qsizetype letters)
{
    return letters <= 2 ? twoDigits(p.year % 100) : QString::number(p.year).rightJustified(4, QLatin1Char('0'));
}

// t: the marker's first letter; tt and longer: the whole regional marker.
QString pictureMarkerText(const Parts& p, qsizetype letters, const platform::Regional& regional)
{
    const QString& marker = p.hour < 12 ? regional.amDesignator : regional.pmDesignator;
    return letters == 1 ? marker.left(1) : marker;
}

// One run of a repeated picture letter; a character that is no picture letter stands as itself.
QString pictureRunText(const Parts& p, QChar letter, qsizetype letters, const platform::Regional& regional)
{
    switch (letter.unicode()) {
    case 'd': return dayText(p, letters, regional);
    case 'M': return monthText(p, letters, regional);
    case 'y': return pictureYearText(p, letters);
    case 'h': return oneOrTwoDigits(hour12(p.hour), letters);
    case 'H': return oneOrTwoDigits(p.hour, letters);
    case 'm': return oneOrTwoDigits(p.minute, letters);
    case 's': return oneOrTwoDigits(p.second, letters);
    case 't': return pictureMarkerText(p, letters, regional);
    default: return QString(letters, letter);
    }
}

// A quoted literal: its text up to the closing quote (or the pattern's end), and where the
// pattern goes on after it.
struct Quoted {
    QString text;
    qsizetype next;
};

Quoted quotedAt(const QString& pattern, qsizetype openingQuote)
{
    const qsizetype closingQuote = pattern.indexOf(pattern[openingQuote], openingQuote + 1);
    const qsizetype end = closingQuote < 0 ? pattern.size() : closingQuote;
    return {pattern.mid(openingQuote + 1, end - openingQuote - 1), closingQuote < 0 ? end : end + 1};
}

// How many times the character at `at` repeats from there on, in either case if asked.
qsizetype runLength(const QString& pattern, qsizetype at, bool eitherCase)
{
    const QChar letter = eitherCase ? pattern[at].toLower() : pattern[at];
    qsizetype run = 1;
    while (at + run < pattern.size() && (eitherCase ? pattern[at + run].toLower() : pattern[at + run]) == letter)
        ++run;
    return run;
}

// A Windows date/time picture (d M y h H m s t, quotes for literals), as the regional short
// date and time patterns are written.
QString picture(const Parts& p, const QString& pattern, const platform::Regional& regional)
{
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        if (pattern[i] == QLatin1Char('\'')) {
            const Quoted literal = quotedAt(pattern, i);
            out += literal.text;
            i = literal.next;
            continue;
        }
        const qsizetype run = runLength(pattern, i, false);
        out += pictureRunText(p, pattern[i], run, regional);
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
            Quoted literal = quotedAt(pattern, i);
            pieces.push_back({Piece::Literal, std::move(literal.text)});
            i = literal.next;
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
            const qsizetype run = runLength(pattern, i, true);
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

// d to dddd as in a picture; ddddd: the regional short date; dddddd and longer: the long date.
QString dayLetters(const Parts& p, qsizetype letters, const platform::Regional& regional)
{
    if (letters <= 4)
        return dayText(p, letters, regional);
    if (letters == 5)
        return picture(p, regional.shortDatePattern, regional);
    return picture(p, QStringLiteral("dddd, MMMM dd, yyyy"), regional);
}

// m, mm: the minute where the pattern means minutes, else the month as in a picture.
QString monthLetters(const Parts& p, qsizetype letters, bool minutes, const platform::Regional& regional)
{
    if (minutes && letters <= 2)
        return oneOrTwoDigits(p.minute, letters);
    return monthText(p, letters, regional);
}

// y: the day of the year; yy: the year in the century; yyy: both; yyyy and longer: the year.
QString yearLetters(const Parts& p, qsizetype letters)
{
    const int dayOfYear = p.date().dayOfYear();
    if (letters == 1)
        return QString::number(dayOfYear);
    if (letters == 2)
        return twoDigits(p.year % 100);
    if (letters == 3)
        return twoDigits(p.year % 100) + QString::number(dayOfYear);
    return QString::number(p.year);
}

// w: the weekday's number (1 = Sunday); ww and longer: the week of the year.
QString weekLetters(const Parts& p, qsizetype letters)
{
    return QString::number(letters == 1 ? p.weekday() : weekOfYear(p));
}

// ttttt and longer: the regional time; fewer t stand as themselves.
QString timeLetters(const Parts& p, qsizetype letters, const platform::Regional& regional)
{
    return letters >= 5 ? picture(p, regional.timePattern, regional) : QString(letters, QLatin1Char('t'));
}

QString letterText(const Parts& p, const QString& letters, bool minutes, bool twelveHour, double date,
                   const platform::Regional& regional)
{
    const qsizetype count = letters.size();
    switch (letters[0].unicode()) {
    case 'd': return dayLetters(p, count, regional);
    case 'm': return monthLetters(p, count, minutes, regional);
    case 'y': return yearLetters(p, count);
    case 'h': return oneOrTwoDigits(twelveHour ? hour12(p.hour) : p.hour, count);
    case 'n': return oneOrTwoDigits(p.minute, count);
    case 's': return oneOrTwoDigits(p.second, count);
    case 'w': return weekLetters(p, count);
    case 'q': return QString::number((p.month - 1) / 3 + 1);
    case 'c': return dateText(date);
    case 't': return timeLetters(p, count, regional);
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
