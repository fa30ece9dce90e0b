#include "countdown/clsCounter.h"
#include "countdown/clsTimer.h"
#include "foundation/OleDate.h"
#include "platform/VbError.h"
#include "support/FixedClock.h"

#include <QDateTime>
#include <QList>

#include <gtest/gtest.h>

#include <utility>

namespace {

double at(int year, int month, int day, int hour = 0, int minute = 0, double second = 0)
{
    return vb::oleDateFromParts(year, month, day, hour, minute, second);
}

// Counts the emissions of one signal, delivered directly.
class SignalCount {
public:
    template <typename Signal>
    SignalCount(const clsCounter* sender, Signal signal)
    {
        QObject::connect(sender, signal, &m_receiver, [this] { ++m_count; }, Qt::DirectConnection);
    }
    int count() const { return m_count; }

private:
    QObject m_receiver;
    int m_count = 0;
};

struct Counts {
    int64_t years, months, days, hours, minutes, seconds;
    bool operator==(const Counts&) const = default;
};

Counts countsOf(const clsCounter& c)
{
    return {c.YearsLeft(), c.MonthsLeft(), c.DaysLeft(), c.HoursLeft(), c.MinutesLeft(), c.SecondsLeft()};
}

void PrintTo(const Counts& c, std::ostream* os)
{
    *os << c.years << "y " << c.months << "m " << c.days << "d " << c.hours << "h " << c.minutes << "n "
        << c.seconds << "s";
}

enum Off { none = 0, years = 1, months = 2, days = 4, hours = 8, minutes = 16, seconds = 32, all = 63 };

// Switches off the steps named in `off`, the others on.
void switchOff(clsCounter& counter, int off)
{
    counter.setIntervalYears(!(off & years));
    counter.setIntervalMonths(!(off & months));
    counter.setIntervalDays(!(off & days));
    counter.setIntervalHours(!(off & hours));
    counter.setIntervalMinutes(!(off & minutes));
    counter.setIntervalSeconds(!(off & seconds));
}

struct RefreshCase {
    const char* name;
    double current;
    double event;
    int off;
    bool workDays;
    Counts expected;
};

TEST(Counter, RefreshSplitsTheSpanStepByStep)
{
    const RefreshCase cases[] = {
        {"all steps", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), none, false, {0, 2, 20, 22, 24, 48}},
        {"years and months off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), years | months, false,
         {0, 0, 82, 22, 24, 48}},
        {"days off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), days, false, {0, 2, 0, 502, 24, 48}},
        {"seconds off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), seconds, false, {0, 2, 20, 22, 24, 0}},
        {"event passed", at(2027, 3, 2, 12), at(2027, 3, 1), none, false, {0, 0, 1, 12, 0, 0}},
        {"31st into February", at(2027, 1, 31), at(2027, 3, 1), none, false, {0, 1, 1, 0, 0, 0}},
        {"just under a year", at(2025, 1, 15), at(2026, 1, 10), none, false, {0, 11, 26, 0, 0, 0}},
        {"work days over two weekends", at(2026, 12, 7), at(2026, 12, 21), none, true, {0, 0, 10, 0, 0, 0}},
        {"work days, a night inside one weekend", at(2026, 12, 12, 10), at(2026, 12, 13, 9), none, true,
         {0, 0, 0, 0, 0, 0}},
        {"31st clamped to April 30", at(2027, 1, 31), at(2027, 4, 30, 12), none, false, {0, 3, 0, 12, 0, 0}},
        {"29 February plus a year", at(2024, 2, 29), at(2025, 3, 1), none, false, {1, 0, 1, 0, 0, 0}},
        {"equal dates", at(2027, 3, 1), at(2027, 3, 1), none, false, {0, 0, 0, 0, 0, 0}},
        {"all steps off", at(2026, 12, 8), at(2027, 3, 1), all, false, {0, 0, 0, 0, 0, 0}},
        {"seconds only", at(2027, 2, 28, 23, 58, 30), at(2027, 3, 1), all & ~seconds, false, {0, 0, 0, 0, 0, 90}},
        {"current date to the nearest second", at(2026, 12, 8, 1, 35, 11.6), at(2027, 3, 1), none, false,
         {0, 2, 20, 22, 24, 48}},
        {"31st, a month does not fit", at(2027, 1, 31, 12, 0, 1), at(2027, 2, 28, 12), none, false,
         {0, 0, 27, 23, 59, 59}},
        {"29 February, a year does not fit", at(2024, 2, 29, 12, 0, 1), at(2025, 2, 28, 12), none, false,
         {0, 11, 29, 23, 59, 59}},
    };
    for (const RefreshCase& tc : cases) {
        clsCounter counter;
        switchOff(counter, tc.off);
        counter.setIntervalWorkDays(tc.workDays);
        counter.setCurrentDate(tc.current);
        counter.setEventDate(tc.event);
        EXPECT_EQ(countsOf(counter), tc.expected) << tc.name;
    }
}

// The counts worked out on Qt's calendar: years, then months, each the largest whole number
// that added to what the units before left does not pass the later date; the rest in exact
// seconds.
Counts calendarCounts(QDateTime from, QDateTime to, bool withYears)
{
    if (to < from)
        std::swap(from, to);
    const auto largest = [&to](const QDateTime& start, QDateTime (QDateTime::*add)(int) const) {
        int n = 0;
        while ((start.*add)(n + 1) <= to)
            ++n;
        return n;
    };
    const int years = withYears ? largest(from, &QDateTime::addYears) : 0;
    const QDateTime afterYears = from.addYears(years);
    const int months = largest(afterYears, &QDateTime::addMonths);
    const qint64 rest = afterYears.addMonths(months).secsTo(to);
    return {years, months, int32_t(rest / 86400), int32_t(rest / 3600 % 24), int32_t(rest / 60 % 60),
            int32_t(rest % 60)};
}

double dateValueOf(const QDateTime& utc)
{
    const QDate d = utc.date();
    const QTime t = utc.time();
    return at(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

// Ends over the three months after the start, and around one and four years after it.
QList<QDate> endDays(const QDate& start)
{
    QList<QDate> days;
    for (QDate d = start; d <= start.addMonths(3); d = d.addDays(1))
        days << d;
    for (int years : {1, 4}) {
        for (int offset = -3; offset <= 3; ++offset)
            days << start.addYears(years).addDays(offset);
    }
    return days;
}

TEST(Counter, MonthEndStartsCountTheWholeUnitsThatFitFromTheRealStart)
{
    const QTime startTimes[] = {QTime(0, 0), QTime(12, 0), QTime(12, 0, 1)};
    int mismatches = 0;
    for (QDate month(2023, 1, 1); month < QDate(2026, 1, 1); month = month.addMonths(1)) {
        for (int day = 28; day <= month.daysInMonth(); ++day) {
            for (const QTime& startTime : startTimes) {
                const QDateTime from(QDate(month.year(), month.month(), day), startTime, Qt::UTC);
                for (const QDate& endDay : endDays(from.date())) {
                    const QDateTime to(endDay, QTime(12, 0), Qt::UTC);
                    for (bool withYears : {true, false}) {
                        clsCounter counter;
                        counter.setIntervalYears(withYears);
                        counter.setCurrentDate(dateValueOf(from));
                        counter.setEventDate(dateValueOf(to));
                        const Counts expected = calendarCounts(from, to, withYears);
                        if (countsOf(counter) == expected)
                            continue;
                        EXPECT_EQ(countsOf(counter), expected)
                            << qPrintable(from.toString(Qt::ISODate)) << " to " << qPrintable(to.toString(Qt::ISODate))
                            << (withYears ? "" : ", years off");
                        if (++mismatches == 10)
                            return; // enough to see the pattern
                    }
                }
            }
        }
    }
}

TEST(Counter, RefreshStartsFromZeroCounts)
{
    clsCounter counter;
    counter.setEventDate(at(2027, 3, 1));
    counter.setCurrentDate(at(2026, 12, 8, 1, 35, 12));
    counter.Refresh();
    counter.setIntervalMonths(false);
    counter.setIntervalDays(false);
    counter.Refresh();
    EXPECT_EQ(countsOf(counter), (Counts{0, 0, 0, 1990, 24, 48}));
}

// Any span of the years 100 to 9999 is counted in a unit alone, in both directions; the
// expected counts are the seconds Qt's calendar puts between the two dates.
TEST(Counter, LongSpansAreCountedInOneUnitAlone)
{
    struct Case {
        QDateTime from, to;
        int off;
        int64_t unitSeconds;
    };
    const QDateTime firstDay(QDate(100, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime lastSecond(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC);
    const Case cases[] = {
        {QDateTime(QDate(1950, 1, 1), QTime(0, 0), Qt::UTC), QDateTime(QDate(2027, 6, 1), QTime(12, 0), Qt::UTC),
         all & ~seconds, 1},
        {firstDay, lastSecond, all & ~seconds, 1},
        {firstDay, lastSecond, all & ~minutes, 60},
        {firstDay, lastSecond, all & ~hours, 3600},
        {firstDay, lastSecond, all & ~days, 86400},
    };
    for (const Case& c : cases) {
        const int64_t expected = c.from.secsTo(c.to) / c.unitSeconds;
        for (bool backwards : {false, true}) {
            clsCounter counter;
            switchOff(counter, c.off);
            counter.setCurrentDate(dateValueOf(backwards ? c.to : c.from));
            counter.setEventDate(dateValueOf(backwards ? c.from : c.to));
            const int64_t shown = counter.SecondsLeft() + counter.MinutesLeft() + counter.HoursLeft() + counter.DaysLeft();
            EXPECT_EQ(shown, expected) << qPrintable(c.from.toString(Qt::ISODate)) << " to "
                                       << qPrintable(c.to.toString(Qt::ISODate)) << " in units of " << c.unitSeconds
                                       << (backwards ? " s, event passed" : " s");
        }
    }
    // The span the window showed as an overflow.
    EXPECT_EQ(QDateTime(QDate(1950, 1, 1), QTime(0, 0), Qt::UTC).secsTo(QDateTime(QDate(2027, 6, 1), QTime(12, 0), Qt::UTC)),
              2443003200);
}

TEST(Counter, AlarmRingsOnlyAtTheExactEventTimeWhenArmed)
{
    const double event = at(2027, 3, 1, 8, 30, 0);
    const struct {
        double current;
        bool armed;
        int rings;
    } cases[] = {
        {event, true, 1},
        {at(2027, 3, 1, 8, 29, 59), true, 0},
        {at(2027, 3, 1, 8, 30, 1), true, 0},
        {event, false, 0},
    };
    for (const auto& tc : cases) {
        clsCounter counter;
        counter.setEventDate(event);
        counter.setAlarmSet(tc.armed);
        SignalCount rings(&counter, &clsCounter::RingAlarm);
        counter.setCurrentDate(tc.current);
        EXPECT_EQ(rings.count(), tc.rings) << tc.current << " armed " << tc.armed;
        EXPECT_EQ(counter.CurrentDate(), tc.current);
    }
}

TEST(Counter, AlarmListenerRunsInsideTheLetAndDisarmsForGood)
{
    clsCounter counter;
    const double event = at(2027, 3, 1, 8, 30, 0);
    counter.setEventDate(event);
    counter.setAlarmSet(true);
    int rings = 0;
    QObject::connect(&counter, &clsCounter::RingAlarm, &counter, [&] {
        ++rings;
        counter.setAlarmSet(false);
    }, Qt::DirectConnection);
    counter.setCurrentDate(event);
    EXPECT_EQ(rings, 1);
    EXPECT_FALSE(counter.AlarmSet());
    counter.setCurrentDate(event);
    EXPECT_EQ(rings, 1);
}

TEST(Counter, CurrentDateLetDoesNotRecount)
{
    clsCounter counter;
    counter.setCurrentDate(at(2027, 2, 28));
    counter.setEventDate(at(2027, 3, 1));
    ASSERT_EQ(counter.DaysLeft(), 1);
    counter.setCurrentDate(at(2027, 2, 27));
    EXPECT_EQ(counter.DaysLeft(), 1);
}

TEST(Counter, EventDateLetRecountsThenSignals)
{
    clsCounter counter;
    counter.setCurrentDate(at(2027, 2, 27));
    int daysSeenBySignal = -1;
    QObject::connect(&counter, &clsCounter::EventDateChange, &counter,
                     [&] { daysSeenBySignal = counter.DaysLeft(); }, Qt::DirectConnection);
    counter.setEventDate(at(2027, 3, 1));
    EXPECT_EQ(daysSeenBySignal, 2);
}

TEST(Counter, PauseMovesTheEventByTheWholeSecondsPaused)
{
    FixedClock clock(at(2027, 1, 1, 10, 0, 0));
    clsCounter counter;
    const double event = at(2027, 3, 1);
    counter.setEventDate(event);
    SignalCount changes(&counter, &clsCounter::EventDateChange);

    counter.setPause(true);
    EXPECT_TRUE(counter.Pause());
    EXPECT_EQ(counter.PausedDateTime(), at(2027, 1, 1, 10, 0, 0));
    EXPECT_EQ(changes.count(), 0);

    clock.set(at(2027, 1, 1, 10, 1, 30.7));
    counter.setPause(false);
    EXPECT_FALSE(counter.Pause());
    EXPECT_EQ(counter.EventDate(), at(2027, 3, 1, 0, 1, 30));
    EXPECT_EQ(changes.count(), 1);
}

TEST(Counter, ResumeWithinTheSameSecondKeepsTheEventExactly)
{
    FixedClock clock(at(2027, 1, 1, 10, 0, 0));
    clsCounter counter;
    const double event = at(2027, 3, 1, 7, 13, 21);
    counter.setEventDate(event);
    SignalCount changes(&counter, &clsCounter::EventDateChange);
    counter.setPause(true);
    clock.set(at(2027, 1, 1, 10, 0, 0.9));
    counter.setPause(false);
    EXPECT_EQ(counter.EventDate(), event);
    EXPECT_EQ(changes.count(), 1);
}

TEST(Counter, ApplyTimerAmountMovesTheEventByItsUnit)
{
    const struct {
        const char* interval;
        int32_t amount;
        double from;
        double expected;
    } cases[] = {
        {"yyyy", 1, at(2024, 2, 29, 6), at(2025, 2, 28, 6)},
        {"m", 1, at(2027, 1, 31, 6), at(2027, 2, 28, 6)},
        {"m", -2, at(2027, 3, 31), at(2027, 1, 31)},
        {"d", 3, at(2027, 2, 27, 12), at(2027, 3, 2, 12)},
        {"h", -25, at(2027, 3, 1), at(2027, 2, 27, 23)},
        {"n", 90, at(2027, 3, 1), at(2027, 3, 1, 1, 30)},
        {"s", 32767, at(2027, 3, 1), at(2027, 3, 1, 9, 6, 7)},
        {"s", 5, at(1899, 12, 29, 23, 59, 58), at(1899, 12, 30, 0, 0, 3)},
    };
    for (const auto& tc : cases) {
        clsCounter counter;
        counter.setCurrentDate(tc.from);
        counter.setEventDate(tc.from);
        counter.setTimerInterval(tc.interval);
        counter.setTimerAmount(tc.amount);
        SignalCount changes(&counter, &clsCounter::EventDateChange);
        counter.ApplyTimerAmount();
        EXPECT_EQ(counter.EventDate(), tc.expected) << tc.interval << " " << tc.amount;
        EXPECT_EQ(changes.count(), 1);
    }
}

TEST(Counter, ApplyTimerAmountRefusesAnUnknownUnitBeforeChangingTheEvent)
{
    for (const char* interval : {"", "x", "ww", "D", "yy"}) {
        clsCounter counter;
        const double event = at(2027, 3, 1);
        counter.setEventDate(event);
        counter.setTimerInterval(interval);
        counter.setTimerAmount(1);
        SignalCount changes(&counter, &clsCounter::EventDateChange);
        try {
            counter.ApplyTimerAmount();
            ADD_FAILURE() << "no error for '" << interval << "'";
        } catch (const platform::VbError& e) {
            EXPECT_EQ(e.number, 5);
        }
        EXPECT_EQ(counter.EventDate(), event);
        EXPECT_EQ(changes.count(), 0);
    }
}

TEST(Counter, TimerAmountHoldsSixteenBits)
{
    clsCounter counter;
    counter.setTimerAmount(-32768);
    EXPECT_EQ(counter.TimerAmount(), -32768);
    for (int32_t outside : {32768, -32769, 100000}) {
        try {
            counter.setTimerAmount(outside);
            ADD_FAILURE() << outside;
        } catch (const platform::VbError& e) {
            EXPECT_EQ(e.number, 6);
        }
        EXPECT_EQ(counter.TimerAmount(), -32768);
    }
}

TEST(Counter, AutoSetAddsTheTimerUnitsToNowOneByOne)
{
    FixedClock clock(at(2027, 1, 1, 10, 0, 0));
    clsTimer timer;
    timer.setYears(5);
    timer.setMonths(5);
    timer.setDays(1);
    timer.setHours(2);
    clsCounter counter;
    counter.setCurrentDate(at(2027, 1, 1, 10, 0, 0));
    SignalCount changes(&counter, &clsCounter::EventDateChange);
    counter.AutoSet(timer);
    EXPECT_EQ(counter.EventDate(), at(2027, 1, 2, 12, 0, 0));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(counter.TimerInterval(), "h");
    EXPECT_EQ(countsOf(counter), (Counts{0, 0, 1, 2, 0, 0}));
}

TEST(Counter, AutoSetStopsAtAnAmountTooLargeForSixteenBits)
{
    FixedClock clock(at(2027, 1, 1, 10, 0, 0));
    clsTimer timer;
    timer.setDays(1);
    timer.setHours(40000);
    timer.setMinutes(5);
    clsCounter counter;
    EXPECT_THROW(counter.AutoSet(timer), platform::VbError);
    EXPECT_EQ(counter.EventDate(), at(2027, 1, 2, 10, 0, 0));
}

TEST(Counter, AutoSetEventRingsWhenTheClockGetsThere)
{
    FixedClock clock(at(2027, 1, 1, 23, 59, 50));
    clsTimer timer;
    timer.setMinutes(1);
    timer.setSeconds(15);
    clsCounter counter;
    counter.AutoSet(timer);
    counter.setAlarmSet(true);
    SignalCount rings(&counter, &clsCounter::RingAlarm);
    counter.setCurrentDate(at(2027, 1, 2, 0, 1, 5));
    EXPECT_EQ(rings.count(), 1);
}

TEST(Counter, ModeOneArmsTheAlarmAndNothingDisarmsIt)
{
    clsCounter counter;
    counter.setMode(3);
    EXPECT_FALSE(counter.AlarmSet());
    counter.setMode(1);
    EXPECT_TRUE(counter.AlarmSet());
    counter.setMode(2);
    EXPECT_TRUE(counter.AlarmSet());
    EXPECT_EQ(counter.Mode(), 2);
}

TEST(Counter, StartsAtNowInEveryUnitButWorkDaysWithEverythingShownAndNoAlarm)
{
    FixedClock clock(at(2027, 1, 1, 10, 0, 0));
    clsCounter counter;
    EXPECT_EQ(counter.EventDate(), at(2027, 1, 1, 10, 0, 0));
    EXPECT_EQ(counter.EventStartDate(), at(2027, 1, 1, 10, 0, 0));
    EXPECT_EQ(counter.CurrentDate(), 0.0);
    EXPECT_TRUE(counter.IntervalYears() && counter.IntervalMonths() && counter.IntervalDays()
                && counter.IntervalHours() && counter.IntervalMinutes() && counter.IntervalSeconds());
    EXPECT_FALSE(counter.IntervalWorkDays());
    EXPECT_FALSE(counter.AlarmSet());
    EXPECT_EQ(counter.Mode(), 2);
    EXPECT_EQ(counter.ViewFormat(), 1);
    EXPECT_TRUE(counter.ImageVisible() && counter.EventCaptionVisible() && counter.EventDateVisible()
                && counter.TimerDateVisible());
    EXPECT_EQ(counter.clsTimer(), nullptr);

    SignalCount data(&counter, &clsCounter::DataChanged);
    counter.ForceRaiseEvent();
    EXPECT_EQ(data.count(), 1);
}

TEST(Counter, HoldsTheTimerByReference)
{
    clsCounter counter;
    {
        clsTimer timer;
        counter.setClsTimer(&timer);
        timer.setDays(4);
        EXPECT_EQ(counter.clsTimer()->Days(), 4);
    }
    EXPECT_EQ(counter.clsTimer(), nullptr);
}

} // namespace
