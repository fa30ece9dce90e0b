#include "countdown/clsCounter.h"
#include "foundation/OleDate.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <utility>

namespace {

// Dates here are wall-clock readings, as the counter keeps local dates: every day has 24 hours,
// also a day on which the clocks change. Qt's calendar in UTC keeps them so.
QDateTime wall(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

double dateValueOf(const QDateTime& wallClock)
{
    const QDate d = wallClock.date();
    const QTime t = wallClock.time();
    return vb::oleDateFromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

using Counts = std::array<int64_t, 6>; // years, months, days, hours, minutes, seconds
using Units = std::array<bool, 6>;     // which of them are shown

constexpr Units allUnits{true, true, true, true, true, true};

Counts workDayCounts(const QDateTime& now, const QDateTime& event, const Units& shown)
{
    clsCounter counter;
    counter.setIntervalWorkDays(true);
    counter.setIntervalYears(shown[0]);
    counter.setIntervalMonths(shown[1]);
    counter.setIntervalDays(shown[2]);
    counter.setIntervalHours(shown[3]);
    counter.setIntervalMinutes(shown[4]);
    counter.setIntervalSeconds(shown[5]);
    counter.setCurrentDate(dateValueOf(now));
    counter.setEventDate(dateValueOf(event));
    return {counter.YearsLeft(), counter.MonthsLeft(), counter.DaysLeft(),
            counter.HoursLeft(), counter.MinutesLeft(), counter.SecondsLeft()};
}

bool onWeekday(const QDate& day)
{
    return day.dayOfWeek() <= 5;
}

// The seconds from `from` to `to` that lie on Monday to Friday, walked day by day.
int64_t weekdaySeconds(const QDateTime& from, const QDateTime& to)
{
    int64_t total = 0;
    for (QDate day = from.date(); day <= to.date(); day = day.addDays(1)) {
        if (!onWeekday(day))
            continue;
        const QDateTime dayStart = std::max(from, QDateTime(day, QTime(0, 0), Qt::UTC));
        const QDateTime dayEnd = std::min(to, QDateTime(day.addDays(1), QTime(0, 0), Qt::UTC));
        total += dayStart.secsTo(dayEnd);
    }
    return total;
}

// The work time split into the shown units: the work time is laid back from the later date,
// then each shown unit in turn takes the largest whole number of itself that fits (years and
// months walked on the calendar), a unit not shown leaving its time to the next.
Counts referenceCounts(QDateTime a, QDateTime b, const Units& shown)
{
    if (b < a)
        std::swap(a, b);
    QDateTime start = b.addSecs(-weekdaySeconds(a, b));
    Counts counts{};
    for (int unit : {0, 1}) {
        if (!shown[unit])
            continue;
        const auto later = [&](int n) { return unit == 0 ? start.addYears(n) : start.addMonths(n); };
        while (later(int(counts[unit]) + 1) <= b)
            ++counts[unit];
        start = later(int(counts[unit]));
    }
    int64_t rest = start.secsTo(b);
    const int64_t unitSeconds[] = {0, 0, 86400, 3600, 60, 1};
    for (int unit = 2; unit < 6; ++unit) {
        if (!shown[unit])
            continue;
        counts[unit] = rest / unitSeconds[unit];
        rest %= unitSeconds[unit];
    }
    return counts;
}

// The start moved two days later for every Sunday after its date up to the end's date, walked.
QDateTime startMovedPastWeekends(const QDateTime& from, const QDateTime& to)
{
    int sundays = 0;
    for (QDate day = from.date().addDays(1); day <= to.date(); day = day.addDays(1))
        sundays += day.dayOfWeek() == 7 ? 1 : 0;
    return from.addDays(2 * sundays);
}

std::string text(const Counts& c)
{
    return std::to_string(c[0]) + "y " + std::to_string(c[1]) + "m " + std::to_string(c[2]) + "d "
        + std::to_string(c[3]) + "h " + std::to_string(c[4]) + "n " + std::to_string(c[5]) + "s";
}

TEST(CounterWorkDays, CountOnlyTheTimeOnMondayToFriday)
{
    struct Case {
        const char* name;
        QDateTime now, event;
        Counts expected;
    };
    const Case cases[] = {
        {"Monday to Monday two weeks on", wall(2026, 12, 7), wall(2026, 12, 21), {0, 0, 10, 0, 0, 0}},
        {"Thursday noon to Monday", wall(2026, 12, 10, 12), wall(2026, 12, 21), {0, 0, 6, 12, 0, 0}},
        {"Saturday 10:00 to Monday 09:00", wall(2026, 12, 12, 10), wall(2026, 12, 14, 9), {0, 0, 0, 9, 0, 0}},
        {"Friday 04:05 to Sunday 03:00", wall(2026, 12, 11, 4, 5), wall(2026, 12, 13, 3), {0, 0, 0, 19, 55, 0}},
        {"inside one weekend", wall(2027, 1, 30, 10), wall(2027, 1, 31, 9), {0, 0, 0, 0, 0, 0}},
        {"Sunday noon to Saturday three weeks on", wall(2027, 1, 31, 12), wall(2027, 2, 20, 15),
         {0, 0, 15, 0, 0, 0}},
        {"Friday noon over a spring clock change to Monday noon", wall(2027, 3, 26, 12), wall(2027, 3, 29, 12),
         {0, 0, 1, 0, 0, 0}},
        {"78 weeks, Monday to Monday", wall(2026, 1, 5), wall(2027, 7, 5), {1, 0, 25, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(workDayCounts(c.now, c.event, allUnits)), text(c.expected)) << c.name;
        EXPECT_EQ(text(workDayCounts(c.event, c.now, allUnits)), text(c.expected)) << c.name << ", event passed";
    }
}

// Random spans from an hour to a few years, in both directions and with any units shown, against
// the walk over the calendar above; where both ends lie on weekdays the work time is also what
// moving the start two days a weekend leaves.
TEST(CounterWorkDays, RandomSpansMatchAWalkOverTheCalendar)
{
    std::mt19937_64 random(20261207);
    const QDateTime first = wall(2020, 1, 1);
    std::uniform_int_distribution<int64_t> startSecond(0, 12LL * 366 * 86400);
    const int64_t longest[] = {3 * 86400, 70 * 86400, 3 * 366 * 86400};
    std::uniform_int_distribution<int> kind(0, 2), unitMask(0, 63), coin(0, 1);
    int mismatches = 0;
    for (int i = 0; i < 6000 && mismatches < 10; ++i) {
        const QDateTime a = first.addSecs(startSecond(random));
        const QDateTime b = a.addSecs(std::uniform_int_distribution<int64_t>(0, longest[kind(random)])(random));
        const int mask = unitMask(random);
        Units shown{};
        for (int unit = 0; unit < 6; ++unit)
            shown[unit] = (mask >> unit) & 1;
        const bool eventPassed = coin(random) == 1;
        const Counts counted = eventPassed ? workDayCounts(b, a, shown) : workDayCounts(a, b, shown);
        const Counts expected = referenceCounts(a, b, shown);
        if (counted != expected) {
            ++mismatches;
            ADD_FAILURE() << qPrintable(a.toString(Qt::ISODate)) << " to " << qPrintable(b.toString(Qt::ISODate))
                          << (eventPassed ? " (event passed)" : "") << ", units " << mask << ": counted "
                          << text(counted) << ", the walk gives " << text(expected);
        }
        if (onWeekday(a.date()) && onWeekday(b.date())) {
            EXPECT_EQ(startMovedPastWeekends(a, b), b.addSecs(-weekdaySeconds(a, b)))
                << qPrintable(a.toString(Qt::ISODate)) << " to " << qPrintable(b.toString(Qt::ISODate));
        }
    }
}

} // namespace
