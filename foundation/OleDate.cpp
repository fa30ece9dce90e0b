#include "foundation/OleDate.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace vb {

namespace {

const QDate& epoch()
{
    static const QDate day(1899, 12, 30);
    return day;
}

constexpr double millisecondsPerDay = 86400000.0;
// Years 100 to 9999.
constexpr double earliest = -657434.0;
constexpr double latest = 2958465.99999999;

Clock& clock()
{
    static Clock installed;
    return installed;
}

} // namespace

double oleDateFromParts(int year, int month, int day, int hour, int minute, double second)
{
    const qint64 days = epoch().daysTo(QDate(year, month, day));
    const double fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight of its day: the whole
    // part is negative, the time part is added as a magnitude.
    return days >= 0 ? days + fraction : days - fraction;
}

bool oleDateToParts(double date, int* year, int* month, int* day, int* hour, int* minute, int* second)
{
    if (!(date >= earliest && date <= latest))
        return false;
    double whole = std::trunc(date);
    double fraction = std::fabs(date - whole);
    // Whole seconds, rounded to the nearest, as dates are shown.
    qint64 seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += date >= 0 ? 1 : -1;
    }
    const QDate d = epoch().addDays(static_cast<qint64>(whole));
    *year = d.year();
    *month = d.month();
    *day = d.day();
    *hour = static_cast<int>(seconds / 3600);
    *minute = static_cast<int>(seconds / 60 % 60);
    *second = static_cast<int>(seconds % 60);
    return true;
}

double toOleDate(const QDateTime& localTime)
{
    const QDateTime local = localTime.toLocalTime();
    const QTime t = local.time();
    return oleDateFromParts(local.date().year(), local.date().month(), local.date().day(), t.hour(), t.minute(),
                            t.second() + t.msec() / 1000.0);
}

QDateTime fromOleDate(double date)
{
    if (!(date >= earliest && date <= latest))
        return {};
    const double whole = std::trunc(date);
    qint64 ms = std::llround(std::fabs(date - whole) * millisecondsPerDay);
    QDate day = epoch().addDays(static_cast<qint64>(whole));
    if (ms >= qint64(millisecondsPerDay)) {
        ms -= qint64(millisecondsPerDay);
        day = day.addDays(1);
    }
    // The time of day is the clock's reading, not the time elapsed since midnight: on a day the
    // clocks change the two differ by the change.
    QDateTime local(day, QTime::fromMSecsSinceStartOfDay(int(ms)));
    if (local.isValid())
        return local;
    // A reading the clock skips: it stands for the time that long after the day's start.
    return day.startOfDay().addMSecs(ms);
}

double now()
{
    if (clock())
        return clock()();
    const QDateTime current = QDateTime::currentDateTime();
    // The clock's reading in whole seconds.
    const QDate day = current.date();
    const QTime time = current.time();
    return oleDateFromParts(day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second());
}

void setClock(Clock replacement)
{
    clock() = std::move(replacement);
}

Clock installedClock()
{
    return clock();
}

} // namespace vb
