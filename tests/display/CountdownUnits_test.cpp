#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "display/CountdownWindow.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/modCounter.h"
#include "foundation/OleDate.h"
#include "support/FixedClock.h"
#include "support/PackageBuilder.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

class TestWindow : public CountdownWindow {
public:
    void load(const QString& package) { loadCountdown(package, {}, messageTrap()); }
    bool tick() { return runCountdownTick({}); }
};

enum Off { none = 0, years = 1, months = 2, days = 4, hours = 8, minutes = 16, seconds = 32, all = 63 };

// What a countdown window shows for a countdown whose units are switched on and off, on a
// fixed clock, and what its export writes.
class CountdownUnitsTest : public ProgramFolderTest<DisplayContext> {
protected:

    // A package whose countdown counts down to eventDate with the given units off, exporting
    // the six counts as XML on every tick.
    QString makePackage(double eventDate, int off, bool workDays)
    {
        {
            clsCountdown c;
            c.setDatabaseLocation(work);
            c.setCountdownFileName("Units.MVK");
            c.setViewFormat(1);
            c.setWidth(3000);
            c.setHeight(2250);
            c.setEventCaption("Units");
            c.setEventDate(eventDate);
            c.setCountDirection(1);
            c.setIntervalYears(!(off & years));
            c.setIntervalMonths(!(off & months));
            c.setIntervalDays(!(off & days));
            c.setIntervalWorkDays(workDays);
            c.setIntervalHours(!(off & hours));
            c.setIntervalMinutes(!(off & minutes));
            c.setIntervalSeconds(!(off & seconds));
            c.setSaveToFile(true);
            c.setSaveFormat("6");
            c.setSaveFileName(exportPath());
            EXPECT_TRUE(c.Update());
        }
        const QString package = folder.internalPath("Units.MVL");
        PackageBuilder().blankReserved().dataFrom(work, "Units.MVK").writeTo(package);
        QFile::remove(folder.nativePath("Temp/Units.MVK"));
        EXPECT_TRUE(ModJoinsSkins::OpenCountdownPackage(package, false, work));
        return package;
    }
    QString exportPath() const { return folder.internalPath("units.xml"); }

    FixedClock clock{0};
};

double at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return vb::oleDateFromParts(year, month, day, hour, minute, second);
}

// A box's caption, "-" when the box is hidden.
std::string shown(CountdownWindow& window, int box)
{
    ElasticPanel* panel = window.c1eIntervalsLeft(box);
    return panel->Visible() ? panel->Caption().toStdString() : "-";
}

std::string exportedCount(const QByteArray& xml, const char* element)
{
    const QByteArray open = QByteArray("<") + element + ">";
    const qsizetype from = xml.indexOf(open);
    if (from < 0)
        return "missing";
    const qsizetype begin = from + open.size();
    return xml.mid(begin, xml.indexOf('<', begin) - begin).toStdString();
}

TEST_F(CountdownUnitsTest, UnitsSwitchedOffFoldIntoTheNextUnitInTheBoxesAndTheExport)
{
    struct Case {
        const char* name;
        double now;
        double event;
        int off;
        bool workDays;
        std::array<const char*, 6> boxes;   // "-": hidden
        std::array<const char*, 6> exported; // YearsLeft .. SecondsLeft
    };
    const Case cases[] = {
        {"years off, 3 years 21 days ahead", at(2026, 12, 10, 12), at(2029, 12, 31, 12), years, false,
         {"-", "36 Months", "21 Days", "-", "-", "0 Seconds"}, {"0", "36", "21", "0", "0", "0"}},
        {"days off, 3 years 21 days ahead", at(2026, 12, 10, 12), at(2029, 12, 31, 12), days, false,
         {"3 Years", "-", "-", "504 Hours", "-", "0 Seconds"}, {"3", "0", "0", "504", "0", "0"}},
        {"years and months off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), years | months, false,
         {"-", "-", "82 Days", "22 Hours", "24 Minutes", "48 Seconds"}, {"0", "0", "82", "22", "24", "48"}},
        {"days off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), days, false,
         {"-", "2 Months", "-", "502 Hours", "24 Minutes", "48 Seconds"}, {"0", "2", "0", "502", "24", "48"}},
        {"seconds off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), seconds, false,
         {"-", "2 Months", "20 Days", "22 Hours", "24 Minutes", "-"}, {"0", "2", "20", "22", "24", "0"}},
        {"hours off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), hours, false,
         {"-", "2 Months", "20 Days", "-", "1344 Minutes", "48 Seconds"}, {"0", "2", "20", "0", "1344", "48"}},
        {"minutes off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), minutes, false,
         {"-", "2 Months", "20 Days", "22 Hours", "-", "1488 Seconds"}, {"0", "2", "20", "22", "0", "1488"}},
        {"hours and minutes off", at(2026, 12, 8, 1, 35, 12), at(2027, 3, 1), hours | minutes, false,
         {"-", "2 Months", "20 Days", "-", "-", "80688 Seconds"}, {"0", "2", "20", "0", "0", "80688"}},
        // 1 January 1950 to 1 June 2027 noon: 28,275 days and a half.
        {"seconds alone over 77 years", at(1950, 1, 1), at(2027, 6, 1, 12), all & ~seconds, false,
         {"-", "-", "-", "-", "-", "2443003200 Seconds"}, {"0", "0", "0", "0", "0", "2443003200"}},
        {"minutes alone over 77 years", at(1950, 1, 1), at(2027, 6, 1, 12), all & ~minutes, false,
         {"-", "-", "-", "-", "40716720 Minutes", "-"}, {"0", "0", "0", "0", "40716720", "0"}},
        // Monday 7 to Monday 21 December 2026: ten weekdays, two weekends.
        {"work days, Monday to Monday", at(2026, 12, 7), at(2026, 12, 21), none, true,
         {"-", "-", "10 Days", "-", "-", "0 Seconds"}, {"0", "0", "10", "0", "0", "0"}},
        // Thursday 10 December 12:00 to Monday 21 December 2026: the rest of Thursday, Friday,
        // then Monday to Friday of the next week.
        {"work days, Thursday noon to Monday", at(2026, 12, 10, 12), at(2026, 12, 21), none, true,
         {"-", "-", "6 Days", "12 Hours", "-", "0 Seconds"}, {"0", "0", "6", "12", "0", "0"}},
        // Saturday 10:00 to Monday 09:00: the nine hours of Monday morning.
        {"work days, Saturday to Monday morning", at(2026, 12, 12, 10), at(2026, 12, 14, 9), none, true,
         {"-", "-", "-", "9 Hours", "-", "0 Seconds"}, {"0", "0", "0", "9", "0", "0"}},
        // Friday 04:05 to Sunday 03:00: the rest of Friday.
        {"work days, Friday to Sunday", at(2026, 12, 11, 4, 5), at(2026, 12, 13, 3), none, true,
         {"-", "-", "-", "19 Hours", "55 Minutes", "0 Seconds"}, {"0", "0", "0", "19", "55", "0"}},
    };
    const char* const elements[6] = {"YearsLeft", "MonthsLeft", "DaysLeft", "HoursLeft", "MinutesLeft", "SecondsLeft"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.set(c.now);
        const QString package = makePackage(c.event, c.off, c.workDays);
        TestWindow window;
        window.load(package);
        for (int box = 1; box <= 6; ++box)
            EXPECT_EQ(shown(window, box), c.boxes[box - 1]) << "box " << box << " after the load";
        ASSERT_TRUE(window.tick());
        for (int box = 1; box <= 6; ++box)
            EXPECT_EQ(shown(window, box), c.boxes[box - 1]) << "box " << box << " after a tick";
        const QByteArray xml = folder.read("units.xml");
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(exportedCount(xml, elements[i]), c.exported[i]) << elements[i];
        EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
    }
}

} // namespace
