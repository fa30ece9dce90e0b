#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "countdown/clsCounter.h"
#include "display/CountdownWindow.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/frmAlarm.h"
#include "display/modCountdownLayout.h"
#include "display/modCounter.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"
#include "support/UnpackedPackageFixture.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr double kSecond = 1.0 / 86400.0;

// The window as both programs use it, with the protected steps reachable and the rings counted.
class TestWindow : public CountdownWindow {
public:
    int rings = 0;
    void load(const QString& package) { loadCountdown(package, {}, messageTrap()); }
    bool tick() { return runCountdownTick({}); }

protected:
    void m_clsCounter_RingAlarm() override
    {
        ++rings;
        CountdownWindow::m_clsCounter_RingAlarm();
    }
};

// The values of the countdown in the test package: all units on, the alarm armed.
void launchDay(clsCountdown& c, double eventDate)
{
    c.setViewFormat(1);
    c.setState(0);
    c.setLeft(750);
    c.setTop(600);
    c.setWidth(3000);
    c.setHeight(2250);
    c.setEventCaption("Launch day");
    c.setEventDate(eventDate);
    c.setEventDateFormat("dd mmm, yyyy");
    c.setAlarmSound(true);
    c.setAlarmFileName("ring.wav");
    c.setCountDirection(1);
    c.setIntervalYears(true);
    c.setIntervalMonths(true);
    c.setIntervalDays(true);
    c.setIntervalHours(true);
    c.setIntervalMinutes(true);
    c.setIntervalSeconds(true);
    c.setSaveToFile(false);
    c.setSaveFormat("1");
}

class CountdownWindowTest : public UnpackedPackageTest<DisplayContext> {
protected:
    QString makePackage(const std::function<void(clsCountdown&)>& fill) { return packAndUnpack(fill); }
};

// ---- pure rules ------------------------------------------------------------------------------

TEST(CountdownWindowRules, BoxTextTakesTheSingularExactlyAtOne)
{
    struct Case { int box; int32_t value; const char* expected; };
    const Case cases[] = {
        {1, 1, "1 Year"},     {1, 2, "2 Years"},     {1, 0, "0 Years"},
        {2, 1, "1 Month"},    {2, 11, "11 Months"},
        {3, 1, "1 Day"},      {3, 12, "12 Days"},
        {4, 1, "1 Hour"},     {4, 23, "23 Hours"},
        {5, 1, "1 Minute"},   {5, 59, "59 Minutes"},
        {6, 1, "1 Second"},   {6, 0, "0 Seconds"},   {6, 10, "10 Seconds"},
        {3, -1, "-1 Days"},   {1, 100000, "100000 Years"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountdownWindow::boxText(c.box, c.value), QString(c.expected)) << c.box << " " << c.value;
    EXPECT_THROW(CountdownWindow::boxText(0, 1), platform::VbError);
    EXPECT_THROW(CountdownWindow::boxText(7, 1), platform::VbError);
}

TEST(CountdownWindowRules, DirectionGate)
{
    const double now = 47000.5;
    struct Case { const char* direction; double event; bool open; };
    const Case cases[] = {
        {"1", now + kSecond, true}, {"1", now, true}, {"1", now - kSecond, false},
        {"2", now - kSecond, true}, {"2", now, true}, {"2", now + kSecond, false},
        {"0", now - 1, true},       {"3", now + 1, true}, {"", now - 1, true},
        {"lblCountDirection", now - 1, true},
        {"1 down", now - kSecond, false}, // the leading number counts
        {"2.0", now + kSecond, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountdownWindow::directionGateOpen(c.direction, c.event, now), c.open)
            << c.direction << " event-now=" << (c.event - now) * 86400;
}

TEST(CountdownWindowRules, EventPassedBetweenTicksOnlyStrictlyBetween)
{
    const double prev = 47000.5, now = prev + 30 * kSecond;
    struct Case { double event; bool expected; };
    const Case cases[] = {
        {prev + 10 * kSecond, true},
        {now, false},  // an exact hit is the ordinary tick at the event
        {prev, false}, // the previous tick already saw it
        {now + kSecond, false},
        {prev - kSecond, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountdownWindow::eventPassedBetweenTicks(prev, c.event, now), c.expected)
            << (c.event - prev) * 86400;
}

// ---- load and DataChanged ----------------------------------------------------------------------

TEST_F(CountdownWindowTest, LoadReadsThePackagesCountdownAndFillsTheWindow)
{
    const QString package = makePackage([this](clsCountdown& c) { launchDay(c, event); });
    TestWindow window;
    window.load(package);

    EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
    EXPECT_EQ(window.lblCountdownFileName()->Caption(), QString("Party.MVK"));
    ASSERT_NE(window.clsCountdown(), nullptr);
    EXPECT_EQ(window.clsCountdown()->CountdownFileName(), QString("Party.MVK"));
    EXPECT_EQ(window.clsCountdown()->EventCaption(), QString("Launch day"));

    clsCounter* counter = window.Counter();
    ASSERT_NE(counter, nullptr);
    EXPECT_NEAR(counter->EventDate(), event, kSecond / 10);
    EXPECT_EQ(counter->CurrentDate(), start);
    EXPECT_TRUE(counter->AlarmSet());
    EXPECT_EQ(counter->SaveFormat(), QString("1"));
    EXPECT_EQ(counter->SecondsLeft(), 26);
    EXPECT_EQ(window.lblSoundFile()->Caption(), QString("ring.wav"));
    EXPECT_EQ(window.lblPlaysoundToggle()->Caption(), QString("True"));
    EXPECT_EQ(window.c1eEventCaption()->Caption(), QString("Launch day"));
    EXPECT_EQ(window.c1eEventDate()->Caption(), QString("14 Mar, 2027"));

    // Brought to the front and released from the topmost band again.
    const auto& calls = services.windows().topMostCalls;
    ASSERT_GE(calls.size(), 2u);
    EXPECT_TRUE(calls[calls.size() - 2].second);
    EXPECT_FALSE(calls.back().second);
}

TEST_F(CountdownWindowTest, DataChangedBuildsANewArmedCounter)
{
    const QString package = makePackage([this](clsCountdown& c) { launchDay(c, event); });
    TestWindow window;
    window.load(package);
    clsCounter* first = window.Counter();
    first->setAlarmSet(false);

    window.clsCountdown()->setAlarmSound(false);
    window.clsCountdown()->Trigger_ChangeEvent();
    EXPECT_FALSE(window.Counter()->AlarmSet());
    EXPECT_EQ(window.lblPlaysoundToggle()->Caption(), QString("False"));

    window.lblLoadme()->setCaption(vb::dateText(vb::now())); // reads the file again: armed
    EXPECT_TRUE(window.Counter()->AlarmSet());
    EXPECT_EQ(window.lblPlaysoundToggle()->Caption(), QString("True"));
}

TEST_F(CountdownWindowTest, MissingDataFileGivesTheNewCountdownDefaults)
{
    TestWindow window;
    window.load(folder.internalPath("Nowhere.MVL"));
    EXPECT_EQ(window.lblCountdownFileName()->Caption(), QString("Nowhere.MVK"));
    ASSERT_NE(window.Counter(), nullptr);
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
}

TEST_F(CountdownWindowTest, EventDateFollowsBothLabels)
{
    TestWindow window;
    window.lblEventDate()->setCaption("3/14/2027 3:09:26 PM");
    window.lblEventDateFormat()->setCaption("mmmm d, yyyy hh:nn");
    EXPECT_EQ(window.c1eEventDate()->Caption(), QString("March 14, 2027 15:09"));
    window.lblEventDate()->setCaption("12/31/2030");
    EXPECT_EQ(window.c1eEventDate()->Caption(), QString("December 31, 2030 00:00"));
}

// ---- alarm -------------------------------------------------------------------------------------

// The alarm window is up with the values of launchDay's countdown; it is closed again.
void expectLaunchDayAlarmThenClose()
{
    frmAlarm& alarm = frmAlarm::instance();
    EXPECT_TRUE(alarm.isVisible());
    EXPECT_EQ(alarm.EventCaption(), QString("Launch day"));
    EXPECT_EQ(alarm.SoundFile(), QString("ring.wav"));
    EXPECT_EQ(alarm.EventDateFormat(), QString("dd mmm, yyyy"));
    alarm.hide();
}

TEST_F(CountdownWindowTest, AlarmRingsOnceAtTheEventSecondOrAcrossASkippedOne)
{
    struct Case { const char* name; std::vector<int> tickSeconds; int ringsAt; };
    const Case cases[] = {
        {"every second", {24, 25, 26, 27, 28}, 26},
        {"second 26 skipped", {24, 25, 27, 28}, 27},
        {"30-second ticks", {0, 30, 60}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString package = makePackage([this](clsCountdown& cd) { launchDay(cd, event); });
        clock.set(start);
        TestWindow window;
        window.load(package);
        const double eventDate = window.Counter()->EventDate();
        for (int second : c.tickSeconds) {
            clock.set(eventDate + (second - 26) * kSecond);
            window.tick();
            EXPECT_EQ(window.rings, second >= c.ringsAt ? 1 : 0) << second;
        }
        EXPECT_FALSE(window.Counter()->AlarmSet());
        expectLaunchDayAlarmThenClose();
    }
}

// A countdown opened (or read again) at its event second rings while its window is being
// filled: the alarm still shows that countdown's caption, picture and date pattern.
TEST_F(CountdownWindowTest, AlarmAtTheOpenOrAReloadShowsTheCountdownItRangFor)
{
    const QString package = makePackage([this](clsCountdown& c) {
        launchDay(c, event);
        c.setImageFileName("sky.png");
    });
    for (const bool reload : {false, true}) {
        SCOPED_TRACE(reload ? "read again at the event" : "opened at the event");
        TestWindow window;
        clock.set(reload ? start : event);
        window.load(package);
        if (reload) {
            clock.set(event);
            window.lblLoadme()->setCaption(vb::dateText(vb::now()));
        }
        EXPECT_EQ(window.rings, 1);
        EXPECT_FALSE(window.Counter()->AlarmSet());
        EXPECT_EQ(frmAlarm::instance().ImageFileName(), QString("sky.png"));
        expectLaunchDayAlarmThenClose();
    }
}

TEST_F(CountdownWindowTest, AlarmWithSoundOffOpensNothingAndStaysArmed)
{
    const QString package = makePackage([this](clsCountdown& c) { launchDay(c, event); });
    TestWindow window;
    window.load(package);
    window.lblPlaysoundToggle()->setCaption("False");
    frmAlarm::instance().hide();
    clock.set(window.Counter()->EventDate());
    window.tick();
    EXPECT_EQ(window.rings, 1);
    EXPECT_TRUE(window.Counter()->AlarmSet());
    EXPECT_FALSE(frmAlarm::instance().isVisible());
}

// A tick that comes after the event (a late tick, a clock set forward) is made at the event: it
// rings there once and shows the event reached, in the boxes and the export, with the alarm
// armed or not; the gate then holds that display.
TEST_F(CountdownWindowTest, ATickPastTheEventShowsTheEventReachedAndTheGateHoldsIt)
{
    const QString out = folder.internalPath("count.csv");
    for (bool armed : {true, false}) {
        SCOPED_TRACE(armed ? "alarm armed" : "no alarm");
        QFile::remove(folder.nativePath("count.csv"));
        const QString package = makePackage([&](clsCountdown& c) {
            launchDay(c, event);
            c.setAlarmSound(armed);
            c.setSaveToFile(true);
            c.setSaveFormat("5");
            c.setSaveFileName(out);
        });
        clock.set(start);
        TestWindow window;
        window.load(package);
        const double eventDate = window.Counter()->EventDate();
        clock.set(eventDate - 3 * kSecond);
        ASSERT_TRUE(window.tick());
        ASSERT_EQ(window.c1eIntervalsLeft(6)->Caption(), QString("3 Seconds"));
        for (int after : {9 * 60 + 45, 9 * 60 + 46, 3600}) {
            clock.set(eventDate + after * kSecond);
            EXPECT_EQ(window.tick(), after == 9 * 60 + 45) << after; // then the gate is shut
            EXPECT_EQ(window.rings, armed ? 1 : 0) << after;
            EXPECT_EQ(window.c1eIntervalsLeft(6)->Caption(), QString("0 Seconds")) << after;
            for (int box = 1; box <= 5; ++box)
                EXPECT_FALSE(window.c1eIntervalsLeft(box)->Visible()) << box << " at " << after;
            EXPECT_EQ(folder.read("count.csv").split('\n').value(1).trimmed(), QByteArray("Launch day,0,0,0,0,0,0"))
                << after;
        }
        frmAlarm::instance().hide();
    }
}

TEST_F(CountdownWindowTest, EventPassedBeforeTheLoadNeverRings)
{
    const QString package = makePackage([this](clsCountdown& c) {
        launchDay(c, event);
        c.setCountDirection(0);
    });
    clock.set(event + 60 * kSecond);
    TestWindow window;
    window.load(package);
    clock.set(event + 61 * kSecond);
    window.tick();
    EXPECT_EQ(window.rings, 0);
}

// ---- tick --------------------------------------------------------------------------------------

TEST_F(CountdownWindowTest, TickWritesChangedBoxesAndHidesZeros)
{
    // 1 year, 0 months, 12 days, 1 hour, 0 minutes and 0 seconds before the event.
    const double eventDate = vb::oleDateFromParts(2028, 3, 26, 16, 9, 0);
    const QString package = makePackage([eventDate](clsCountdown& c) {
        launchDay(c, eventDate);
        c.setIntervalMinutes(false); // box 5 is neither read nor written
    });
    TestWindow window;
    window.load(package);
    for (int box = 1; box <= 6; ++box) {
        window.c1eIntervalsLeft(box)->setCaption("before");
        window.c1eIntervalsLeft(box)->setVisible(true);
    }
    EXPECT_TRUE(window.tick());

    struct Expect { int box; const char* caption; bool visible; };
    const Expect expected[] = {
        {1, "1 Year", true}, {2, "before", false}, {3, "12 Days", true},
        {4, "1 Hour", true}, {5, "before", true},  {6, "0 Seconds", true},
    };
    for (const Expect& e : expected) {
        EXPECT_EQ(window.c1eIntervalsLeft(e.box)->Caption(), QString(e.caption)) << e.box;
        EXPECT_EQ(window.c1eIntervalsLeft(e.box)->Visible(), e.visible) << e.box;
    }
}

TEST_F(CountdownWindowTest, ABoxHiddenAtZeroComesBackAndTheShownBoxesCloseUp)
{
    // 1 hour, 0 minutes and 15 seconds ahead: the minutes box starts hidden at zero.
    const double eventDate = start + (3600 + 15) * kSecond;
    const QString package = makePackage([eventDate](clsCountdown& c) { launchDay(c, eventDate); });
    TestWindow window;
    window.load(package);
    modCountdown::LayoutCountdownForm(window); // as the window's first resize does
    EXPECT_TRUE(window.tick());
    ASSERT_FALSE(window.c1eIntervalsLeft(5)->Visible());

    clock.set(start + 16 * kSecond); // 59 minutes 59 seconds left: the hour is gone
    EXPECT_TRUE(window.tick());
    const ElasticPanel* frame = window.c1eIntervalsLeft(0);
    const ElasticPanel* hours = window.c1eIntervalsLeft(4);
    const ElasticPanel* minutes = window.c1eIntervalsLeft(5);
    const ElasticPanel* seconds = window.c1eIntervalsLeft(6);
    EXPECT_FALSE(hours->Visible());
    EXPECT_TRUE(minutes->Visible());
    EXPECT_EQ(minutes->Caption(), QString("59 Minutes"));
    EXPECT_EQ(seconds->Caption(), QString("59 Seconds"));

    // The two shown boxes share the frame, the minutes at its top edge.
    ASSERT_GT(frame->Height(), 2);
    const double half = std::nearbyint(frame->Height() / 2);
    EXPECT_EQ(minutes->Top(), 0);
    EXPECT_EQ(minutes->Height(), half);
    EXPECT_EQ(seconds->Top(), half);
    EXPECT_EQ(seconds->Height(), half);
    EXPECT_EQ(minutes->Width(), frame->Width());
}

TEST_F(CountdownWindowTest, LoadWritesTheBoxesFromTheCounterWithoutAlarmOrExport)
{
    struct Expect { int box; const char* caption; bool visible; };
    struct Case {
        const char* name;
        double eventDate;
        int16_t direction;
        bool seconds;
        std::vector<Expect> boxes;
    };
    const Case cases[] = {
        // Without seconds the first tick is 30 s away.
        {"1 year 12 days 1 hour ahead, no seconds", vb::oleDateFromParts(2028, 3, 26, 16, 9, 0), 1, false,
         {{1, "1 Year", true}, {2, "before", false}, {3, "12 Days", true},
          {4, "1 Hour", true}, {5, "before", false}, {6, "before", false}}},
        // Counting down past the event: every tick stops at the gate.
        {"counting down, 2 minutes 3 seconds past", start - 123 * kSecond, 1, true,
         {{1, "before", false}, {4, "before", false}, {5, "2 Minutes", true}, {6, "3 Seconds", true}}},
    };
    const QString out = folder.internalPath("count.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString package = makePackage([&](clsCountdown& cd) {
            launchDay(cd, c.eventDate);
            cd.setCountDirection(c.direction);
            cd.setIntervalSeconds(c.seconds);
            cd.setSaveToFile(true);
            cd.setSaveFileName(out);
        });
        TestWindow window;
        for (int box = 1; box <= 6; ++box)
            window.c1eIntervalsLeft(box)->setCaption("before");
        window.load(package);
        for (const Expect& e : c.boxes) {
            EXPECT_EQ(window.c1eIntervalsLeft(e.box)->Caption(), QString(e.caption)) << e.box;
            EXPECT_EQ(window.c1eIntervalsLeft(e.box)->Visible(), e.visible) << e.box;
        }
        EXPECT_EQ(window.rings, 0);
        EXPECT_FALSE(QFile::exists(folder.nativePath("count.txt")));
        EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
    }
}

TEST_F(CountdownWindowTest, SecondsBoxIsLeftAloneWithoutSeconds)
{
    const QString package = makePackage([this](clsCountdown& c) {
        launchDay(c, event);
        c.setIntervalSeconds(false);
    });
    TestWindow window;
    window.load(package);
    window.c1eIntervalsLeft(6)->setCaption("before");
    window.tick();
    EXPECT_EQ(window.c1eIntervalsLeft(6)->Caption(), QString("before"));
}

TEST_F(CountdownWindowTest, GateStopLeavesTheDisplayAsItWas)
{
    struct Case { int16_t direction; double tickAt; bool runs; };
    const Case cases[] = {
        {1, 60, false}, // counting down after the event
        {2, -60, false}, // counting up before it
        {2, 60, true},
        {0, 60, true},
        {3, -60, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        const QString package = makePackage([&](clsCountdown& cd) {
            launchDay(cd, event);
            cd.setCountDirection(c.direction);
            cd.setAlarmSound(false);
        });
        clock.set(event + c.tickAt * kSecond);
        TestWindow window;
        window.load(package);
        window.c1eIntervalsLeft(6)->setCaption("before");
        EXPECT_EQ(window.tick(), c.runs);
        EXPECT_EQ(window.c1eIntervalsLeft(6)->Caption() == "before", !c.runs);
    }
}

TEST_F(CountdownWindowTest, ExportWritesAMissingFileAtTheNextTickUntilSwitchedOff)
{
    const QString out = folder.internalPath("count.htm");
    const QString package = makePackage([&](clsCountdown& c) {
        launchDay(c, event);
        c.setSaveToFile(true);
        c.setSaveFileName(out);
    });
    TestWindow window;
    window.load(package);
    ASSERT_EQ(window.lblSaveToFile()->Caption(), QString("True"));
    window.tick();
    ASSERT_TRUE(QFile::exists(folder.nativePath("count.htm")));
    QFile::remove(folder.nativePath("count.htm"));
    window.tick(); // nothing changed on screen, but the file is gone: it is written again
    EXPECT_TRUE(QFile::exists(folder.nativePath("count.htm")));

    window.lblSaveToFile()->setCaption("False");
    QFile::remove(folder.nativePath("count.htm"));
    window.tick();
    EXPECT_FALSE(QFile::exists(folder.nativePath("count.htm")));
}

TEST_F(CountdownWindowTest, UntrappedTickErrorReachesTheCaller)
{
    const QString package = makePackage([this](clsCountdown& c) { launchDay(c, event); });
    TestWindow window;
    window.load(package);
    window.lblSaveToFile()->setCaption("maybe");
    EXPECT_THROW(window.tick(), platform::VbError);
}

} // namespace
