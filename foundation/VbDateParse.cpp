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

std::vector<Token> tokenize(const QString& text, const platform::Regional& regional)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isDigit()) {
            qsizetype j = i;
            while (j < text.size() && text[j].isDigit())
                ++j;
            if (j - i > 9)
                mismatch();
            tokens.push_back({Token::Number, text.mid(i, j - i).toInt(), static_cast<int>(j - i)});
            i = j;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < text.size() && (text[j].isLetter() || text[j] == QLatin1Char('.')))
                ++j;
            QString word = text.mid(i, j - i);
            while (word.endsWith(QLatin1Char('.')))
                word.chop(1);
            i = j;
            if (const int month = monthOfWord(word, regional))
                tokens.push_back({Token::Month, month, 0});
            else if (const auto meridiem = meridiemOfWord(word, regional))
                tokens.push_back({Token::Meridiem, *meridiem, 0});
            else if (!isDayName(word, regional))
                mismatch();
        } else if (c == regional.timeSeparator || c == QLatin1Char(':')) {
            tokens.push_back({Token::TimeSeparator, 0, 0});
            ++i;
        } else if (c.isSpace() || c == QLatin1Char(',') || c == QLatin1Char('/') || c == QLatin1Char('-') ||
                   c == QLatin1Char('.') || c == regional.dateSeparator) {
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

QDate dateFromTokens(const std::vector<Token>& numbers, int month, const platform::Regional& regional)
{
    if (month) {
        // A month name: of the numbers one is the day, the other (or a long one) the year.
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
    if (numbers.size() < 2 || numbers.size() > 3)
        mismatch();
    // The pattern's order first; a date that is impossible in it may fit another.
    const QString preferred = fieldOrder(regional.shortDatePattern);
    for (const QString& order : {preferred, QStringLiteral("DMY"), QStringLiteral("MDY"), QStringLiteral("YMD")}) {
        if (numbers.size() == 3 && order != preferred && numbers[0].digits > 2 && order != QLatin1String("YMD"))
            continue;
        if (const auto date = dateFromNumbers(numbers, order))
            return *date;
    }
    mismatch();
}

} // namespace

double cdate(const QString& text)
{
    const platform::Regional& regional = platform::regional();
    const std::vector<Token> tokens = tokenize(text, regional);
    std::vector<Token> dateNumbers;
    std::vector<int> timeParts;
    int month = 0;
    std::optional<int> meridiem;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        const bool startsTime = token.kind == Token::Number && i + 1 < tokens.size() &&
                                (tokens[i + 1].kind == Token::TimeSeparator || tokens[i + 1].kind == Token::Meridiem);
        if (token.kind == Token::Number && (startsTime || (i > 0 && tokens[i - 1].kind == Token::TimeSeparator))) {
            if (timeParts.size() >= 3 || (startsTime && !timeParts.empty() && tokens[i - 1].kind != Token::TimeSeparator))
                mismatch();
            timeParts.push_back(token.value);
        } else if (token.kind == Token::Number) {
            dateNumbers.push_back(token);
        } else if (token.kind == Token::Month) {
            if (month)
                mismatch();
            month = token.value;
        } else if (token.kind == Token::Meridiem) {
            if (meridiem || timeParts.empty())
                mismatch();
            meridiem = token.value;
        } else if (token.kind == Token::TimeSeparator && (i == 0 || tokens[i - 1].kind != Token::Number)) {
            mismatch();
        }
    }
    if (dateNumbers.empty() && !month && timeParts.empty())
        mismatch();
    double days = 0;
    if (!dateNumbers.empty() || month) {
        const QDate date = dateFromTokens(dateNumbers, month, regional);
        days = oleDateFromParts(date.year(), date.month(), date.day());
    }
    if (timeParts.empty())
        return days;
    int hour = timeParts[0];
    const int minute = timeParts.size() > 1 ? timeParts[1] : 0;
    const int second = timeParts.size() > 2 ? timeParts[2] : 0;
    if (meridiem) {
        if (hour < 1 || hour > 12)
            mismatch();
        hour = hour % 12 + (*meridiem == 1 ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        mismatch();
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return days >= 0 ? days + fraction : days - fraction;
}

} // namespace vb
