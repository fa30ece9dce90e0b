#include "viewer/ViewerWindowFixture.h"

#include "countdown/clsCounter.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/VbTimer.h"

#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using ViewerTick = ViewerWindowFixture;

// Message boxes that let the timer fire while they wait, as a real one runs its own event loop.
class TickingUi : public platform::FakeUi {
public:
    std::function<void()> whileShown;
    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        const int answer = FakeUi::msgBox(prompt, buttons, title);
        if (whileShown)
            whileShown();
        return answer;
    }
};

TEST_F(ViewerTick, IntervalFollowsTheSecondsBox)
{
    for (bool seconds : {true, false}) {
        SCOPED_TRACE(seconds);
        makePackage([seconds](clsCountdown& c) { c.setIntervalSeconds(seconds); });
        frmCountdownViewer& w = loadWindow();
        EXPECT_EQ(w.Timer1()->Interval(), seconds ? 1000 : 30000);
        EXPECT_TRUE(w.Timer1()->Enabled());
    }
}

TEST_F(ViewerTick, TickUpdatesTheBoxesAndLeavesTheTimerOn)
{
    makePackage();
    frmCountdownViewer& w = loadWindow();
    clock.set(start + 6 * kSecond);
    w.Timer1_Timer();
    EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("20 Seconds"));
    EXPECT_FALSE(w.c1eIntervalsLeft(5)->Visible()); // 0 minutes
    EXPECT_TRUE(w.Timer1()->Enabled());
    EXPECT_EQ(w.Timer1()->Interval(), 1000);
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << qPrintable(services.ui().prompts().join('|'));
}

TEST_F(ViewerTick, GateStopKeepsTheDisplayAndTheTimerRunning)
{
    makePackage([](clsCountdown& c) { c.setAlarmSound(false); });
    frmCountdownViewer& w = loadWindow();
    clock.set(start + 2 * kSecond);
    w.Timer1_Timer();
    ASSERT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("24 Seconds"));
    // The first tick past the event is made at the event; the gate holds what it showed.
    for (int after : {1, 30, 3600}) {
        clock.set(event + after * kSecond);
        w.Timer1_Timer();
        EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("0 Seconds")) << after;
        EXPECT_TRUE(w.Timer1()->Enabled()) << after;
    }
}

TEST_F(ViewerTick, ThirtySecondTickRingsTheAlarmItStepsOver)
{
    makePackage([](clsCountdown& c) { c.setIntervalSeconds(false); });
    frmCountdownViewer& w = loadWindow();
    ASSERT_EQ(w.Timer1()->Interval(), 30000);
    frmAlarm::instance().hide();

    clock.set(start + 30 * kSecond); // the event lies at second 26, between two ticks
    w.Timer1_Timer();
    EXPECT_TRUE(frmAlarm::instance().isVisible());
    EXPECT_EQ(frmAlarm::instance().EventCaption(), QString("Launch day"));
    EXPECT_FALSE(w.Counter()->AlarmSet());

    frmAlarm::instance().hide();
    clock.set(start + 60 * kSecond);
    w.Timer1_Timer();
    EXPECT_FALSE(frmAlarm::instance().isVisible());
}

TEST_F(ViewerTick, ErrorsAreReportedAsInTimerAndTheTickGoesOn)
{
    makePackage();
    frmCountdownViewer& w = loadWindow();
    w.lblSaveToFile()->setCaption("maybe");
    clock.set(start + 6 * kSecond);
    w.Timer1_Timer();
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, QString("In Timer13\r\nType mismatch"));
    EXPECT_EQ(services.ui().msgBoxes[0].buttons, 0);
    EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("20 Seconds"));
    EXPECT_TRUE(w.Timer1()->Enabled());
}

TEST_F(ViewerTick, EachKindOfFailureIsReportedOnceAndTheTicksGoOn)
{
    makePackage();
    frmCountdownViewer& w = loadWindow();
    w.lblSaveToFile()->setCaption("maybe");
    const auto tick = [&](int second) {
        clock.set(start + second * kSecond);
        w.Timer1_Timer();
    };
    for (int second = 1; second <= 3; ++second)
        tick(second);
    EXPECT_EQ(services.ui().prompts(), QStringList{"In Timer13\r\nType mismatch"});
    EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("23 Seconds"));

    // Another kind of failure gets its own message, once.
    w.lblSaveToFile()->setCaption("1E+400");
    for (int second = 4; second <= 6; ++second)
        tick(second);
    EXPECT_EQ(services.ui().prompts(), (QStringList{"In Timer13\r\nType mismatch", "In Timer6\r\nOverflow"}));
    EXPECT_EQ(w.c1eIntervalsLeft(6)->Caption(), QString("20 Seconds"));
    EXPECT_TRUE(w.Timer1()->Enabled());
}

TEST_F(ViewerTick, ATickUnderAMessageBoxOfTheLoadChangesNothing)
{
    folder.write("Temp/party.jpg", "no picture");
    makePackage([](clsCountdown& c) { c.setImageFileName("party.jpg"); });
    TickingUi ui;
    platform::Ui* const installed = platform::services().ui;
    platform::services().ui = &ui;
    window = std::make_unique<frmCountdownViewer>();
    int ticks = 0;
    ui.whileShown = [this, &ticks] {
        ++ticks;
        clock.set(start + 6 * kSecond);
        window->Timer1_Timer();
    };
    window->Form_Load();
    platform::services().ui = installed;

    EXPECT_GE(ticks, 1);
    EXPECT_EQ(ui.prompts(), QStringList{"481\r\nInvalid picture"});
    EXPECT_EQ(window->c1eIntervalsLeft(6)->Caption(), QString("26 Seconds")); // as the load left it
    EXPECT_EQ(window->Timer1()->Interval(), 1000);
}

} // namespace
