#include "display/StatusBar.h"
#include "foundation/OleDate.h"
#include "support/FixedClock.h"
#include "support/LocalTimeZone.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Berlin changes its clocks at 02:00 on 29 March 2026 and at 03:00 on 25 October 2026.
TEST(StatusBarClock, ShowsTheClockReadingOnClockChangeDays)
{
    const LocalTimeZone berlin("Europe/Berlin");
    TestServices services;
    struct Case {
        double now;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {vb::oleDateFromParts(2026, 3, 29, 3, 0, 2), "3/29/2026", "3:00:02 AM"},
        {vb::oleDateFromParts(2026, 3, 29, 23, 59, 59), "3/29/2026", "11:59:59 PM"},
        {vb::oleDateFromParts(2026, 10, 25, 3, 0, 2), "10/25/2026", "3:00:02 AM"},
        {vb::oleDateFromParts(2026, 10, 25, 12, 0, 0), "10/25/2026", "12:00:00 PM"},
    };
    FixedClock clock(0);
    StatusBar bar("StatusBar1");
    for (const Case& c : cases) {
        clock.set(c.now);
        EXPECT_EQ(bar.shownText(4).toStdString(), c.date) << c.time;
        EXPECT_EQ(bar.shownText(5).toStdString(), c.time);
    }
}

} // namespace
