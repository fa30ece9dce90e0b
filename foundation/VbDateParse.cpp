#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "platform/Regional.h"
#include "platform/VbError.h"

#include <QDate>

#include <optional>
#include <vector>

// Text to date, as the standard conversion reads it under the regional settings.
namespace vb {

using platform::VbError;
namespace vberr = platform::vberr;

namespace {

struct Token {
    enum Kind { Number, Month, Meridiem, TimeSeparator, Skip } kind;
    int value = 0;     // number, month 1..12, meridiem 0 AM / 1 PM
    int digits = 0;    // digits of a number
};

int monthOfWord(const QString& word, const platform::Regional& regional)
{
    for (int m = 0; m < 12; ++m) {
        if (word.compare(regional.monthNames.value(m), Qt::CaseInsensitive) == 0 ||
            word.compare(regional.monthAbbreviations.value(m), Qt::CaseInsensitive) == 0)
            return m + 1;
    }
    return 0;
}

bool isDayName(const QString& word, const platform::Regional& regional)
{
    for (int d = 0; d < 7; ++d) {
        if (word.compare(regional.dayNames.value(d), Qt::CaseInsensitive) == 0 ||
            word.compare(regional.dayAbbreviations.value(d), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

std::optional<int> meridiemOfWord(const QString& word, const platform::Regional& regional)
{
    if (word.compare(regional.amDesignator, Qt::CaseInsensitive) == 0 || word.compare(QLatin1String("AM"), Qt::CaseInsensitive) == 0 ||
        word.compare(QLatin1String("A"), Qt::CaseInsensitive) == 0)
        return 0;
    if (word.compare(regional.pmDesignator, Qt::CaseInsensitive) == 0 || word.compare(QLatin1String("PM"), Qt::CaseInsensitive) == 0 ||
        word.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0)
        return 1;
    return std::nullopt;
}

[[noreturn]] void mismatch()
{
    throw VbError(vberr::TypeMismatch);
}

// A run of digits from `at` on, and where the text goes on after it.
qsizetype readNumber(const QString& text, qsizetype at, std::vector<Token>& tokens)
{
    qsizetype end = at;
    while (end < text.size() && text[end].isDigit())
        ++end;
    if (end - at > 9)
        mismatch();
    tokens.push_back({Token::Number, text.mid(at, end - at).toInt(), static_cast<int>(end - at)});
    return end;
}

// A word from `at` on (trailing dots dropped): a month or an AM/PM marker becomes a token, a
// day name is passed over, any other word is no date.
qsizetype readWord(const QString& text, qsizetype at, const platform::Regional& regional, std::vector<Token>& tokens)
{
    qsizetype end = at;
    while (end < text.size() && (text[end].isLetter() || text[end] == QLatin1Char('.')))
        ++end;
    QString word = text.mid(at, end - at);
    while (word.endsWith(QLatin1Char('.')))
        word.chop(1);
    if (const int month = monthOfWord(word, regional))
        tokens.push_back({Token::Month, month, 0});
    else if (const auto meridiem = meridiemOfWord(word, regional))
        tokens.push_back({Token::Meridiem, *meridiem, 0});
    else if (!isDayName(word, regional))
        mismatch();
    return end;
}

// Characters that only part the date's fields.
bool isDateSeparator(QChar c, const platform::Regional& regional)
{
    return c.isSpace() || c == QLatin1Char(',') || c == QLatin1Char('/') || c == QLatin1Char('-') ||
           c == QLatin1Char('.') || c == regional.dateSeparator;
}

std::vector<Token> tokenize(const QString& text, const platform::Regional& regional)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isDigit()) {
            i = readNumber(text, i, tokens);
        } else if (c.isLetter()) {
            i = readWord(text, i, regional, tokens);
        } else if (c == regional.timeSeparator || c == QLatin1Char(':')) {
            tokens.push_back({Token::TimeSeparator, 0, 0});
            ++i;
        } else if (isDateSeparator(c, regional)) {
            ++i;
        } else {
            mismatch();
        }
    }
    return tokens;
}

int fullYear(const Token& year)
{
    if (year.digits <= 2)
        return year.value < 30 ? 2000 + year.value : 1900 + year.value;
    return year.value;
}

bool looksLikeYear(const Token& number)
{
    return number.digits > 2 || number.value > 31;
}

// The order of day, month and year in the short-date pattern, e.g. "MDY".
QString fieldOrder(const QString& pattern)
{
    QString order;
    for (QChar c : pattern) {
        const QChar field = c == QLatin1Char('d') ? QLatin1Char('D')
                            : c == QLatin1Char('M') ? QLatin1Char('M')
                            : c.toLower() == QLatin1Char('y') ? QLatin1Char('Y')
                                                              : QChar();
        if (!field.isNull() && !order.contains(field))
            order += field;
    }
    return order.size() == 3 ? order : QStringLiteral("MDY");
}

std::optional<QDate> dateFromNumbers(const std::vector<Token>& numbers, const QString& order)
{
    int day = 0, month = 0, year = 0;
    if (numbers.size() == 3) {
        for (int k = 0; k < 3; ++k) {
            if (order[k] == QLatin1Char('D'))
                day = numbers[k].value;
            else if (order[k] == QLatin1Char('M'))
                month = numbers[k].value;
            else
                year = fullYear(numbers[k]);
        }
    } else {
        // Two numbers: day and month in the pattern's order, this year.
        const bool dayFirst = order.indexOf(QLatin1Char('D')) < order.indexOf(QLatin1Char('M'));
        day = numbers[dayFirst ? 0 : 1].value;
        month = numbers[dayFirst ? 1 : 0].value;
        year = fromOleDate(now()).date().year();
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100)
        return std::nullopt;
    return date;
}

// A month name: of the numbers one is the day, the other (or a long one) the year; without
// a day it is the first, without a year this one.
QDate dateWithMonthName(const std::vector<Token>& numbers, int month)
{
    int day = 1;
    int year = fromOleDate(now()).date().year();
    if (numbers.size() == 1) {
        if (looksLikeYear(numbers[0]))
            year = fullYear(numbers[0]);
        else
            day = numbers[0].value;
    } else if (numbers.size() == 2) {
        const bool yearFirst = looksLikeYear(numbers[0]);
        day = numbers[yearFirst ? 1 : 0].value;
        year = fullYear(numbers[yearFirst ? 0 : 1]);
    } else if (!numbers.empty()) {
        mismatch();
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 100)
        mismatch();
    return date;
}

// Numbers only: the pattern's order first; a date that is impossible in it may fit another.
QDate dateInFirstFittingOrder(const std::vector<Token>& numbers, const platform::Regional& regional)
{
    if (numbers.size() < 2 || numbers.size() > 3)
        mismatch();
    const QString preferred = fieldOrder(regional.shortDatePattern);
    for (const QString& order : {preferred, QStringLiteral("DMY"), QStringLiteral("MDY"), QStringLiteral("YMD")}) {
        // A leading number of three or more digits is a year: past the pattern's own order,
        // only year first is tried.
        if (numbers.size() == 3 && order != preferred && numbers[0].digits > 2 && order != QLatin1String("YMD"))
            continue;
        if (const auto date = dateFromNumbers(numbers, order))
            return *date;
    }
    mismatch();
}

// The tokens sorted into the date's numbers and month name and the time's parts and marker.
struct DateAndTime {
    std::vector<Token> dateNumbers;
    int month = 0;
    std::vector<int> timeParts; // hour, minute, second
    std::optional<int> meridiem;
};

bool follows(const std::vector<Token>& tokens, size_t at, Token::Kind kind)
{
    return at > 0 && tokens[at - 1].kind == kind;
}

bool precedes(const std::vector<Token>& tokens, size_t at, Token::Kind kind)
{
    return at + 1 < tokens.size() && tokens[at + 1].kind == kind;
}

// A number is a time part when a time separator or a marker follows it or a separator stands
// before it; else it belongs to the date. A time has at most three parts, and only one time.
void addNumber(DateAndTime& parts, const std::vector<Token>& tokens, size_t at)
{
    const bool startsTime = precedes(tokens, at, Token::TimeSeparator) || precedes(tokens, at, Token::Meridiem);
    const bool afterSeparator = follows(tokens, at, Token::TimeSeparator);
    if (!startsTime && !afterSeparator) {
        parts.dateNumbers.push_back(tokens[at]);
        return;
    }
    if (parts.timeParts.size() >= 3 || (startsTime && !parts.timeParts.empty() && !afterSeparator))
        mismatch();
    parts.timeParts.push_back(tokens[at].value);
}

void addMonth(DateAndTime& parts, const Token& month)
{
    if (parts.month)
        mismatch();
    parts.month = month.value;
}

// The AM/PM marker comes once, after the time.
void addMeridiem(DateAndTime& parts, const Token& meridiem)
{
    if (parts.meridiem || parts.timeParts.empty())
        mismatch();
    parts.meridiem = meridiem.value;
}

DateAndTime sortTokens(const std::vector<Token>& tokens)
{
    DateAndTime parts;
    for (size_t at = 0; at < tokens.size(); ++at) {
        switch (tokens[at].kind) {
        case Token::Number: addNumber(parts, tokens, at); break;
        case Token::Month: addMonth(parts, tokens[at]); break;
        case Token::Meridiem: addMeridiem(parts, tokens[at]); break;
        case Token::TimeSeparator:
            // A time separator stands only after a number.
            if (!follows(tokens, at, Token::Number))
                mismatch();
            break;
        case Token::Skip: break;
        }
    }
    if (parts.dateNumbers.empty() && !parts.month && parts.timeParts.empty())
        mismatch();
    return parts;
}

// The date part as whole days, 0 when the text holds only a time.
double daysOf(const DateAndTime& parts, const platform::Regional& regional)
{
    if (parts.dateNumbers.empty() && !parts.month)
        return 0;
    const QDate date = parts.month ? dateWithMonthName(parts.dateNumbers, parts.month)
                                   : dateInFirstFittingOrder(parts.dateNumbers, regional);
    return oleDateFromParts(date.year(), date.month(), date.day());
}

// The hour on the 24-hour clock: with a marker the hour is 1 to 12 and 12 AM is midnight.
int hourOfDay(int hour, std::optional<int> meridiem)
{
    if (!meridiem)
        return hour;
    if (hour < 1 || hour > 12)
        mismatch();
    return hour % 12 + (*meridiem == 1 ? 12 : 0);
}

// The time part as a fraction of a day.
double dayFraction(const DateAndTime& parts)
{
    const int hour = hourOfDay(parts.timeParts[0], parts.meridiem);
    const int minute = parts.timeParts.size() > 1 ? parts.timeParts[1] : 0;
    const int second = parts.timeParts.size() > 2 ? parts.timeParts[2] : 0;
    if (hour > 23 || minute > 59 || second > 59)
        mismatch();
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

} // namespace

double cdate(const QString& text)
{
    const platform::Regional& regional = platform::regional();
    const DateAndTime parts = sortTokens(tokenize(text, regional));
    const double days = daysOf(parts, regional);
    if (parts.timeParts.empty())
        return days;
    // Before the epoch a date counts down in whole days while its time of day still adds away from zero.
    const double fraction = dayFraction(parts);
    return days >= 0 ? days + fraction : days - fraction;
}

} // namespace vb
