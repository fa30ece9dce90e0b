#include "foundation/OleDate.h"
#include "support/FixedClock.h"
#include "support/LocalTimeZone.h"

#include <gtest/gtest.h>

namespace {

TEST(OleDate, DaysSinceTheEpochWithTheTimeAsFraction)
{
    struct Case {
        QDateTime local;
        double expected;
    };
    const Case cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1899, 12, 31), QTime(6, 0)), 1.25},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 2.0},
        {QDateTime(QDate(2026, 12, 10), QTime(12, 0)), 46366.5},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(vb::toOleDate(c.local), c.expected) << qPrintable(c.local.toString(Qt::ISODate));
        EXPECT_EQ(vb::fromOleDate(c.expected), c.local) << c.expected;
    }
}

TEST(OleDate, RoundTripsToTheMillisecondAndRefusesOutOfRange)
{
    const QDateTime local(QDate(2026, 3, 29), QTime(2, 30, 15, 250));
    EXPECT_EQ(vb::fromOleDate(vb::toOleDate(local)).toMSecsSinceEpoch(), local.toMSecsSinceEpoch());
    EXPECT_FALSE(vb::fromOleDate(3e6).isValid());
    EXPECT_FALSE(vb::fromOleDate(-7e5).isValid());
    int y, mo, d, h, mi, s;
    EXPECT_FALSE(vb::oleDateToParts(NAN, &y, &mo, &d, &h, &mi, &s));
}

// 2026 in Berlin: clocks go from 02:00 to 03:00 on 29 March and from 03:00 back to 02:00 on
// 25 October.
TEST(OleDate, ClockChangeDaysKeepTheTimeOfDayAsWritten)
{
    const LocalTimeZone berlin("Europe/Berlin");
    struct Case {
        const char* name;
        QDate day;
        QTime written;
        QTime shown;
    };
    const Case cases[] = {
        {"spring, before the change", QDate(2026, 3, 29), QTime(1, 59, 59), QTime(1, 59, 59)},
        {"spring, after the change", QDate(2026, 3, 29), QTime(3, 0, 2), QTime(3, 0, 2)},
        {"spring, evening", QDate(2026, 3, 29), QTime(23, 59, 59), QTime(23, 59, 59)},
        // No clock shows this time: it reads as the clock did that long after the change.
        {"spring, inside the skipped hour", QDate(2026, 3, 29), QTime(2, 30), QTime(3, 30)},
        {"autumn, the hour that comes twice", QDate(2026, 10, 25), QTime(2, 30), QTime(2, 30)},
        {"autumn, after the change", QDate(2026, 10, 25), QTime(3, 0, 2), QTime(3, 0, 2)},
        {"autumn, evening", QDate(2026, 10, 25), QTime(23, 59, 59), QTime(23, 59, 59)},
    };
    for (const Case& c : cases) {
        const QTime t = c.written;
        const double date = vb::oleDateFromParts(c.day.year(), c.day.month(), c.day.day(), t.hour(), t.minute(),
                                                 t.second());
        const QDateTime local = vb::fromOleDate(date);
        EXPECT_TRUE(local.isValid()) << c.name;
        EXPECT_EQ(local.date(), c.day) << c.name;
        EXPECT_EQ(local.time().toString().toStdString(), c.shown.toString().toStdString()) << c.name;
    }
    EXPECT_EQ(vb::fromOleDate(vb::oleDateFromParts(2026, 3, 29, 3, 0, 2)).time().toString("h:mm:ss AP").toStdString(),
              "3:00:02 AM");
}

TEST(OleDate, InstantsOnClockChangeDaysGiveTheTimeTheClockShows)
{
    const LocalTimeZone berlin("Europe/Berlin");
    struct Case {
        const char* utc;
        double expected;
    };
    const Case cases[] = {
        {"2026-03-29T00:59:59Z", vb::oleDateFromParts(2026, 3, 29, 1, 59, 59)},
        {"2026-03-29T01:00:02Z", vb::oleDateFromParts(2026, 3, 29, 3, 0, 2)},
        {"2026-10-25T00:30:00Z", vb::oleDateFromParts(2026, 10, 25, 2, 30)}, // summer time
        {"2026-10-25T01:30:00Z", vb::oleDateFromParts(2026, 10, 25, 2, 30)}, // the same hour again
        {"2026-10-25T02:00:02Z", vb::oleDateFromParts(2026, 10, 25, 3, 0, 2)},
    };
    for (const Case& c : cases) {
        const QDateTime instant = QDateTime::fromString(c.utc, Qt::ISODate);
        EXPECT_DOUBLE_EQ(vb::toOleDate(instant), c.expected) << c.utc;
    }
}

TEST(OleDate, PartsRoundToTheNearestSecond)
{
    int y, mo, d, h, mi, s;
    ASSERT_TRUE(vb::oleDateToParts(1.0 - 0.2 / 86400, &y, &mo, &d, &h, &mi, &s));
    EXPECT_EQ(QDate(y, mo, d), QDate(1899, 12, 31));
    EXPECT_EQ(h * 3600 + mi * 60 + s, 0);
}

TEST(OleDate, NowFollowsTheInstalledClock)
{
    {
        FixedClock clock(45000.25);
        EXPECT_DOUBLE_EQ(vb::now(), 45000.25);
        clock.set(45001);
        EXPECT_DOUBLE_EQ(vb::now(), 45001);
    }
    const double system = vb::toOleDate(QDateTime::currentDateTime());
    EXPECT_NEAR(vb::now(), system, 2.0 / 86400);
}

} // namespace
