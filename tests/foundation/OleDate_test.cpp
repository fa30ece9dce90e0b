#include "foundation/OleDate.h"
#include "support/FixedClock.h"

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
