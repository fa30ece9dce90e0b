#include "countdown/clsCounter.h"

#include "countdown/CalendarStep.h"
#include "foundation/OleDate.h"
#include "platform/VbError.h"

#include <limits>
#include <utility>

using calendar::Unit;

namespace {

[[noreturn]] void raiseOverflow()
{
    throw platform::VbError(platform::vberr::Overflow);
}

[[noreturn]] void raiseInvalidArgument()
{
    throw platform::VbError(platform::vberr::InvalidCall);
}

// A zero shift keeps the stored value bit for bit, so an exact-equality alarm set on it
// still rings.
double shifted(double date, Unit unit, int64_t n)
{
    if (n == 0)
        return date;
    const int64_t moved = calendar::add(unit, n, calendar::fromDateValue(date));
    if (!calendar::inDateRange(moved))
        raiseInvalidArgument();
    return calendar::toDateValue(moved);
}

// The largest whole number of units from start that does not pass end, backing off at most
// once; start is moved by that many units. The back-off is reckoned from the start again:
// stepping back from a date that was cut to a shorter month's end would land before it.
int64_t countAndAdvance(Unit unit, int64_t& start, int64_t end)
{
    const int64_t from = start;
    int64_t n = calendar::boundaryCount(unit, from, end);
    start = calendar::add(unit, n, from);
    if (start > end && n > 0) {
        --n;
        start = calendar::add(unit, n, from);
    }
    return n;
}

} // namespace

clsCounter::clsCounter(QObject* parent)
    : QObject(parent)
{
    m_EventDate = vb::now();
    m_EventStartDate = m_EventDate;
}

clsCounter::~clsCounter() = default;

void clsCounter::setCurrentDate(double v)
{
    m_CurrentDate = v;
    if (m_CurrentDate == m_EventDate && m_AlarmSet)
        emit RingAlarm();
}

void clsCounter::setEventDate(double v)
{
    m_EventDate = v;
    Refresh();
    emit EventDateChange();
}

void clsCounter::Refresh()
{
    m_YearsLeft = m_MonthsLeft = m_DaysLeft = 0;
    m_HoursLeft = m_MinutesLeft = m_SecondsLeft = 0;
    CalcYearsLeft();
}

void clsCounter::CalcYearsLeft()
{
    m_workStart = calendar::roundToSecond(calendar::fromDateValue(m_CurrentDate));
    m_workEnd = calendar::fromDateValue(m_EventDate);
    if (m_workStart > m_workEnd)
        std::swap(m_workStart, m_workEnd);
    // Only the time on Monday to Friday is counted: the steps count from a start that lies that
    // much before the end. When both ends lie on weekdays this is the start moved two days later
    // for every weekend crossed; a start or end in a weekend adds nothing, and a span inside one
    // weekend counts nothing.
    if (m_IntervalWorkDays)
        m_workStart = m_workEnd - calendar::weekdayTime(m_workStart, m_workEnd);
    if (m_IntervalYears)
        m_YearsLeft = countAndAdvance(Unit::Years, m_workStart, m_workEnd);
    CalcMonthsLeft();
}

void clsCounter::CalcMonthsLeft()
{
    if (m_IntervalMonths)
        m_MonthsLeft = countAndAdvance(Unit::Months, m_workStart, m_workEnd);
    CalcDaysLeft();
}

void clsCounter::CalcDaysLeft()
{
    if (m_IntervalDays)
        m_DaysLeft = countAndAdvance(Unit::Days, m_workStart, m_workEnd);
    CalcHoursLeft();
}

void clsCounter::CalcHoursLeft()
{
    if (m_IntervalHours)
        m_HoursLeft = countAndAdvance(Unit::Hours, m_workStart, m_workEnd);
    CalcMinutesLeft();
}

void clsCounter::CalcMinutesLeft()
{
    if (m_IntervalMinutes)
        m_MinutesLeft = countAndAdvance(Unit::Minutes, m_workStart, m_workEnd);
    CalcSecondsLeft();
}

void clsCounter::CalcSecondsLeft()
{
    if (m_IntervalSeconds)
        m_SecondsLeft = countAndAdvance(Unit::Seconds, m_workStart, m_workEnd);
}

void clsCounter::setPause(bool v)
{
    m_Pause = v;
    if (v) {
        m_PausedDateTime = vb::now();
        return;
    }
    const int64_t pausedSeconds = calendar::boundaryCount(
        Unit::Seconds, calendar::fromDateValue(m_PausedDateTime), calendar::fromDateValue(vb::now()));
    m_EventDate = shifted(m_EventDate, Unit::Seconds, pausedSeconds);
    emit EventDateChange();
}

void clsCounter::setTimerAmount(int32_t v)
{
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        raiseOverflow();
    m_TimerAmount = int16_t(v);
}

void clsCounter::ApplyTimerAmount()
{
    const std::optional<Unit> unit = calendar::unitFromCode(m_TimerInterval);
    if (!unit || *unit == Unit::Weeks)
        raiseInvalidArgument();
    m_EventDate = shifted(m_EventDate, *unit, m_TimerAmount);
    Refresh();
    emit EventDateChange();
}

void clsCounter::AutoSet(::clsTimer& lclsTimer)
{
    m_EventDate = vb::now();
    const std::pair<int32_t, const char*> parts[] = {{lclsTimer.Days(), "d"},
                                                     {lclsTimer.Hours(), "h"},
                                                     {lclsTimer.Minutes(), "n"},
                                                     {lclsTimer.Seconds(), "s"}};
    for (const auto& [amount, code] : parts) {
        if (amount <= 0)
            continue;
        m_TimerInterval = QLatin1String(code);
        setTimerAmount(amount);
        ApplyTimerAmount();
    }
}

void clsCounter::setMode(int16_t v)
{
    m_Mode = v;
    if (v == 1)
        m_AlarmSet = true;
}

void clsCounter::ForceRaiseEvent()
{
    emit DataChanged();
}
