#include "countdown/clsTimer.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

namespace {

struct Units {
    int32_t years, months, days, hours, minutes, seconds;
    bool operator==(const Units&) const = default;
};

void PrintTo(const Units& u, std::ostream* os)
{
    *os << u.years << "y " << u.months << "m " << u.days << "d " << u.hours << "h " << u.minutes << "n "
        << u.seconds << "s";
}

Units unitsOf(const clsTimer& t)
{
    return {t.Years(), t.Months(), t.Days(), t.Hours(), t.Minutes(), t.Seconds()};
}

void setUnits(clsTimer& t, const Units& u)
{
    t.setYears(u.years);
    t.setMonths(u.months);
    t.setDays(u.days);
    t.setHours(u.hours);
    t.setMinutes(u.minutes);
    t.setSeconds(u.seconds);
}

// Counts TimerChanged, delivered directly.
class ChangeCount {
public:
    explicit ChangeCount(const clsTimer& timer)
    {
        QObject::connect(&timer, &clsTimer::TimerChanged, &m_receiver, [this] { ++m_count; },
                         Qt::DirectConnection);
    }
    int count() const { return m_count; }

private:
    QObject m_receiver;
    int m_count = 0;
};

class Timer : public ::testing::Test {
protected:
    TestServices services;
};

TEST_F(Timer, SetStringsChangeTheUnits)
{
    const Units start{0, 0, 1, 5, 0, 0};
    const struct {
        const char* setString;
        Units expected;
        const char* message; // nullptr: no message box
    } cases[] = {
        {"+2h", {0, 0, 1, 7, 0, 0}, nullptr},
        {"-10h", {0, 0, 1, 0, 0, 0}, nullptr},
        {"=3d", {0, 0, 3, 5, 0, 0}, nullptr},
        {"+1d=2h", {0, 0, 0, 2, 0, 0}, nullptr},
        {"+1.5d", {0, 0, 3, 5, 0, 0}, nullptr},
        {"+2.5d", {0, 0, 3, 5, 0, 0}, nullptr},
        {"+12", start, nullptr},
        {"+5H", start, nullptr},
        {"+2h3", {0, 0, 1, 7, 0, 0}, nullptr},
        {"+1 2h", {0, 0, 1, 17, 0, 0}, nullptr},
        // Only blanks are trimmed: a no-break space or a form feed ends the number at once.
        {"+\u00A02h", start, nullptr},
        {"+\f2h", start, nullptr},
        {"+d", start, nullptr},
        {"=d", {0, 0, 0, 5, 0, 0}, nullptr},
        {"+1y2m3d4h5n6s", {1, 2, 4, 9, 5, 6}, nullptr},
        {"*5d", start, "Invalid SetString *5d"},
        {"5d", start, "Invalid SetString 5d"},
    };
    for (const auto& tc : cases) {
        services.ui().msgBoxes.clear();
        clsTimer timer;
        setUnits(timer, start);
        ChangeCount changes(timer);
        timer.SetTimer(tc.setString);
        EXPECT_EQ(unitsOf(timer), tc.expected) << tc.setString;
        EXPECT_EQ(timer.SetString(), tc.setString);
        if (tc.message) {
            ASSERT_EQ(services.ui().msgBoxes.size(), 1u) << tc.setString;
            EXPECT_EQ(services.ui().msgBoxes[0].prompt, tc.message);
            EXPECT_EQ(services.ui().msgBoxes[0].buttons, platform::vbmsg::vbOKOnly);
            EXPECT_EQ(changes.count(), 0) << tc.setString;
        } else {
            EXPECT_TRUE(services.ui().msgBoxes.empty()) << tc.setString;
            EXPECT_EQ(changes.count(), 1) << tc.setString;
        }
    }
}

TEST_F(Timer, EmptySetTimerReappliesTheStoredSetString)
{
    clsTimer timer;
    timer.SetTimer("+1d");
    timer.SetTimer("+1d");
    timer.SetTimer("");
    EXPECT_EQ(timer.Days(), 3);
    timer.ReSetTimer();
    EXPECT_EQ(timer.Days(), 4);
    EXPECT_EQ(timer.SetString(), "+1d");
}

TEST_F(Timer, ResetWithoutSetStringShowsTheBareMessage)
{
    clsTimer timer;
    ChangeCount changes(timer);
    timer.ReSetTimer();
    timer.SetTimer("");
    EXPECT_EQ(services.ui().prompts(), QStringList({"Invalid SetString ", "Invalid SetString "}));
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(Timer, OverflowKeepsTheUnitsAppliedBeforeAndRaisesNoEvent)
{
    const struct {
        const char* setString;
        Units expected;
    } cases[] = {
        {"+1d2147483647h", {0, 0, 2, 5, 0, 0}},
        {"=4n3000000000s", {0, 0, 1, 5, 4, 0}},
        {"-2s-2147483648n", {0, 0, 1, 5, 0, 0}},
    };
    for (const auto& tc : cases) {
        clsTimer timer;
        setUnits(timer, {0, 0, 1, 5, 0, 0});
        ChangeCount changes(timer);
        try {
            timer.SetTimer(tc.setString);
            ADD_FAILURE() << "no error for " << tc.setString;
        } catch (const platform::VbError& e) {
            EXPECT_EQ(e.number, 6) << tc.setString;
        }
        EXPECT_EQ(unitsOf(timer), tc.expected) << tc.setString;
        EXPECT_EQ(changes.count(), 0) << tc.setString;
    }
}

TEST_F(Timer, CaptionLetAlwaysSignals)
{
    clsTimer timer;
    EXPECT_EQ(timer.EventCaption(), "Timer");
    EXPECT_EQ(timer.ImageFileName(), "Timer.jpg");
    ChangeCount changes(timer);
    timer.setEventCaption("Timer");
    timer.setEventCaption("Tea");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(timer.EventCaption(), "Tea");
}

} // namespace
