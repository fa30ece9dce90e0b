#include "countdown/CalendarStep.h"

#include <algorithm>
#include <cmath>

namespace calendar {
namespace {

constexpr int64_t msPerMinute = 60 * msPerSecond;
constexpr int64_t msPerHour = 60 * msPerMinute;
// Date value of 1970-01-01, the origin of the civil-day formulas below.
constexpr int64_t unixEpochDay = 25569;
// Date value 1 (1899-12-31) is a Sunday, so date value 2 is a Monday.
constexpr int64_t aSunday = 1;
constexpr int64_t aMonday = 2;
constexpr int64_t weekdaysPerWeek = 5;
constexpr int64_t firstDay = -657434; // 100-01-01
constexpr int64_t lastDay = 2958465;  // 9999-12-31

int64_t floorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

struct CivilDate {
    int64_t year;
    int month; // 1..12
    int day;   // 1..31
};

// Days from 1970-01-01 in the proleptic Gregorian calendar.
int64_t daysFromCivil(const CivilDate& c)
{
    const int64_t y = c.year - (c.month <= 2 ? 1 : 0);
    const int64_t era = floorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t mp = (c.month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5 + c.day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civilFromDays(int64_t z)
{
    z += 719468;
    const int64_t era = floorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool isLeapYear(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int64_t year, int month)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

CivilDate civilOf(int64_t ms)
{
    return civilFromDays(floorDiv(ms, msPerDay) - unixEpochDay);
}

int64_t monthNumber(int64_t ms)
{
    const CivilDate c = civilOf(ms);
    return c.year * 12 + (c.month - 1);
}

int64_t addMonths(int64_t months, int64_t at)
{
    const int64_t day = floorDiv(at, msPerDay);
    const int64_t timeOfDay = at - day * msPerDay;
    const CivilDate from = civilFromDays(day - unixEpochDay);
    const int64_t target = from.year * 12 + (from.month - 1) + months;
    CivilDate to{floorDiv(target, 12), int(target - floorDiv(target, 12) * 12) + 1, from.day};
    to.day = std::min(to.day, daysInMonth(to.year, to.month));
    return (daysFromCivil(to) + unixEpochDay) * msPerDay + timeOfDay;
}

int64_t sundaysUpTo(int64_t ms)
{
    return floorDiv(floorDiv(ms, msPerDay) - aSunday, 7);
}

// The Monday-to-Friday time from the Monday of date value 2 up to ms (negative before it).
int64_t weekdayTimeUpTo(int64_t ms)
{
    const int64_t day = floorDiv(ms, msPerDay);
    const int64_t week = floorDiv(day - aMonday, 7);
    const int64_t dayOfWeek = day - aMonday - week * 7; // 0 Monday .. 6 Sunday
    const int64_t wholeWeekdays = week * weekdaysPerWeek + std::min(dayOfWeek, weekdaysPerWeek);
    const int64_t intoWeekday = dayOfWeek < weekdaysPerWeek ? ms - day * msPerDay : 0;
    return wholeWeekdays * msPerDay + intoWeekday;
}

} // namespace

std::optional<Unit> unitFromCode(const QString& code)
{
    static const struct {
        const char* code;
        Unit unit;
    } codes[] = {{"yyyy", Unit::Years}, {"m", Unit::Months}, {"d", Unit::Days}, {"h", Unit::Hours},
                 {"n", Unit::Minutes},  {"s", Unit::Seconds}, {"ww", Unit::Weeks}};
    for (const auto& entry : codes) {
        if (code == QLatin1String(entry.code))
            return entry.unit;
    }
    return std::nullopt;
}

int64_t fromDateValue(double date)
{
    const double wholeDays = std::trunc(date);
    const double timeOfDay = std::fabs(date - wholeDays);
    return int64_t(wholeDays) * msPerDay + std::llround(timeOfDay * double(msPerDay));
}

double toDateValue(int64_t ms)
{
    const int64_t day = floorDiv(ms, msPerDay);
    const double timeOfDay = double(ms - day * msPerDay) / double(msPerDay);
    return day >= 0 ? double(day) + timeOfDay : double(day) - timeOfDay;
}

int64_t roundToSecond(int64_t ms)
{
    return floorDiv(ms + msPerSecond / 2, msPerSecond) * msPerSecond;
}

bool inDateRange(int64_t ms)
{
    const int64_t day = floorDiv(ms, msPerDay);
    return day >= firstDay && day <= lastDay;
}

int64_t boundaryCount(Unit unit, int64_t a, int64_t b)
{
    switch (unit) {
    case Unit::Years:
        return civilOf(b).year - civilOf(a).year;
    case Unit::Months:
        return monthNumber(b) - monthNumber(a);
    case Unit::Days:
        return floorDiv(b, msPerDay) - floorDiv(a, msPerDay);
    case Unit::Hours:
        return floorDiv(b, msPerHour) - floorDiv(a, msPerHour);
    case Unit::Minutes:
        return floorDiv(b, msPerMinute) - floorDiv(a, msPerMinute);
    case Unit::Seconds:
        return floorDiv(b, msPerSecond) - floorDiv(a, msPerSecond);
    case Unit::Weeks:
        return sundaysUpTo(b) - sundaysUpTo(a);
    }
    return 0;
}

int64_t add(Unit unit, int64_t n, int64_t at)
{
    switch (unit) {
    case Unit::Years:
        return addMonths(n * 12, at);
    case Unit::Months:
        return addMonths(n, at);
    case Unit::Days:
        return at + n * msPerDay;
    case Unit::Hours:
        return at + n * msPerHour;
    case Unit::Minutes:
        return at + n * msPerMinute;
    case Unit::Seconds:
        return at + n * msPerSecond;
    case Unit::Weeks:
        return at + n * 7 * msPerDay;
    }
    return at;
}

int64_t weekdayTime(int64_t a, int64_t b)
{
    return weekdayTimeUpTo(b) - weekdayTimeUpTo(a);
}

} // namespace calendar
