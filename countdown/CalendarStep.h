#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Calendar arithmetic on a linear time line: milliseconds since 1899-12-30 00:00:00, with no
// time zone, as date values count them. Day k of the line is the date value k.
namespace calendar {

enum class Unit { Years, Months, Days, Hours, Minutes, Seconds, Weeks };

constexpr int64_t msPerSecond = 1000;
constexpr int64_t msPerDay = 86400 * msPerSecond;

// The unit of a date-arithmetic code: "yyyy", "m", "d", "h", "n", "s", "ww".
std::optional<Unit> unitFromCode(const QString& code);

// A date value (days, the time of day as the fraction; before 1899-12-30 the fraction still
// counts forward from midnight of the whole day) to the line, to the nearest millisecond.
int64_t fromDateValue(double date);
double toDateValue(int64_t ms);
int64_t roundToSecond(int64_t ms);
// Whether the point lies within the years 100 to 9999 that a date value may hold.
bool inDateRange(int64_t ms);

// Boundaries of the unit crossed going from a to b (negative when b lies before a): years
// and months by calendar number, days by date, hours to seconds since the line's origin,
// weeks as the Sundays after a's date up to and including b's date.
int64_t boundaryCount(Unit unit, int64_t a, int64_t b);

// n units later (earlier when n < 0). Years and months keep the day and time of day, and a
// day the target month lacks becomes that month's last day.
int64_t add(Unit unit, int64_t n, int64_t at);

// The part of the time from a to b (a not after b) that lies on Monday to Friday.
int64_t weekdayTime(int64_t a, int64_t b);

} // namespace calendar
