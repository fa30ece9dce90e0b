#include "countdown/QStringPrinting.h"
#include "countdown/clsCountdown.h"
#include "countdown/clsCounter.h"
#include "display/ElasticPanel.h"
#include "display/ExportTarget.h"
#include "display/HiddenLabel.h"
#include "display/ProgramEnd.h"
#include "display/StatusBar.h"
#include "display/VbTimer.h"
#include "display/modCounter.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramTexts.h"
#include "platform/VbError.h"
#include "support/PackageBuilder.h"
#include "support/WaitUntil.h"
#include "saver/frmCountdownScreenSaver.h"
#include "saver/modVantrelnScreenSaver.h"
#include "support/ProgramFolderFixture.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

namespace ss = modVantrelnScreenSaver;

namespace {

const QString kApp = ProgramTexts::kSettingsApplication;
const QString kSection = ProgramTexts::kSettingsSection;

// Main settles the program folder in the context from the stored one.
class ScreenSaverWindow : public ProgramFolderTest<SaverContext> {
protected:
    void SetUp() override
    {
        services.settings().put(kApp, kSection, ProgramTexts::kAppPathKey, folder.internal());
        services.settings().put(kApp, kSection, ProgramTexts::kLastOpenTemplateKey, packagePath());
    }

    QString packagePath() const { return folder.internalPath("Party.MVL"); }

    // A countdown with the days-to-seconds boxes, ten days ahead, as the data file `name` in
    // `location`.
    static void writeCountdown(const QString& location, const QString& name, const QString& caption,
                               const std::function<void(clsCountdown&)>& more = {})
    {
        clsCountdown countdown;
        countdown.setDatabaseLocation(location);
        countdown.setCountdownFileName(name);
        countdown.setEventCaption(caption);
        countdown.setEventCaptionVisible(true);
        countdown.setEventDate(std::floor(vb::now()) + 10);
        countdown.setIntervalDays(true);
        countdown.setIntervalHours(true);
        countdown.setIntervalMinutes(true);
        countdown.setIntervalSeconds(true);
        countdown.setViewFormat(1);
        if (more)
            more(countdown);
        ASSERT_TRUE(countdown.Update());
    }
    // The package Party.MVL holding `caption`, and the work folder holding `workCaption`.
    void preparePackage(const QString& caption, const QString& workCaption,
                        const std::function<void(clsCountdown&)>& more = {})
    {
        const QString stage = folder.makeFolder("Stage");
        writeCountdown(stage, "Party.MVK", caption, more);
        PackageBuilder().dataFrom(stage, "Party.MVK").writeTo(packagePath());
        ASSERT_TRUE(QFile::exists(folder.nativePath("Party.MVL")));
        writeCountdown(work, "Party.MVK", workCaption, more);
    }
    QString workFolderCaption()
    {
        clsCountdown countdown;
        countdown.setDatabaseLocation(work);
        countdown.setCountdownFileName("Party.MVK");
        countdown.Refresh();
        return countdown.EventCaption();
    }
    frmCountdownScreenSaver& start(const QString& commandLine = "/s")
    {
        ss::Main(commandLine);
        EXPECT_FALSE(ss::ScreenSaverWindow().isNull());
        return *ss::ScreenSaverWindow();
    }
    bool ended()
    {
        return ProgramEnd::isEnding();
    }
    void expectEndedCleanly(frmCountdownScreenSaver* window)
    {
        EXPECT_TRUE(ProgramEnd::isEnding());
        EXPECT_EQ(services.windows().cursorCount, 0);
        EXPECT_FALSE(services.windows().screenSaverRunning);
        ASSERT_FALSE(services.windows().topMostCalls.empty());
        EXPECT_EQ(services.windows().topMostCalls.back(), std::make_pair(static_cast<QWidget*>(window), false));
    }
};

void sendKey(QWidget* target)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(target, &press);
}

void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button)
{
    const QPointF at(3, 3);
    QMouseEvent event(type, at, target->mapToGlobal(at), button,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendWheel(QWidget* target)
{
    const QPointF at(3, 3);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

void moveOver(QWidget* target, int times)
{
    for (int i = 0; i < times; ++i)
        sendMouse(target, QEvent::MouseMove, Qt::NoButton);
}

// ---- the run -------------------------------------------------------------------------------

TEST_F(ScreenSaverWindow, ShowsTheWorkFolderFullScreenOnTopThenUnpacksThePackage)
{
    preparePackage("From the package", "From the work folder");
    frmCountdownScreenSaver& window = start();

    EXPECT_EQ(window.c1eEventCaption()->Caption(), "From the work folder");
    EXPECT_EQ(window.lblTemplateFileName()->Caption(), packagePath());
    EXPECT_EQ(window.lblCountdownFileName()->Caption(), "Party.MVK");
    EXPECT_EQ(window.geometry(), QRect(0, 0, 800, 600));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(services.windows().topMostCalls.back(), std::make_pair(static_cast<QWidget*>(&window), true));
    EXPECT_EQ(services.windows().cursorCount, -1);
    EXPECT_TRUE(services.windows().screenSaverRunning);
    // The countdown shows seconds, but even without them the tick stays at 10 ms.
    EXPECT_EQ(window.Timer1()->Interval(), 10);
    EXPECT_TRUE(window.Timer1()->Enabled());
    EXPECT_EQ(services.ui().pointer, platform::vbcursor::vbDefault);
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
    // The package was unpacked for the next start.
    EXPECT_EQ(workFolderCaption(), "From the package");
    EXPECT_FALSE(ended());
}

TEST_F(ScreenSaverWindow, TheTickKeepsTenMillisecondsWithoutSeconds)
{
    preparePackage("Party", "Party", [](clsCountdown& c) { c.setIntervalSeconds(false); });
    frmCountdownScreenSaver& window = start();
    EXPECT_EQ(window.Timer1()->Interval(), 10);
    const QString before = window.c1eIntervalsLeft(6)->Caption();
    emit window.Timer1()->Timer();
    EXPECT_EQ(window.c1eIntervalsLeft(6)->Caption(), before);
}

TEST_F(ScreenSaverWindow, AMissingPackageShowsTheWindowReportsAndEnds)
{
    writeCountdown(work, "Party.MVK", "Left from last time");
    frmCountdownScreenSaver& window = start();
    EXPECT_EQ(window.c1eEventCaption()->Caption(), "Left from last time");
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, ss::kCannotLocateMessage);
    EXPECT_EQ(services.ui().msgBoxes[0].buttons, platform::vbmsg::vbOKOnly);
    expectEndedCleanly(&window);
}

TEST_F(ScreenSaverWindow, EveryTickRewritesTheExportAndAClosedGateKeepsTheTimerRunning)
{
    const QString exportPath = folder.internalPath("countdown.txt");
    preparePackage("Party", "Party", [&](clsCountdown& c) {
        c.setSaveToFile(true);
        c.setSaveFileName(exportPath);
        c.setSaveFormat("3");
    });
    modCounter::resetReportedFailures();
    frmCountdownScreenSaver& window = start();
    for (int tick = 0; tick < 3; ++tick) {
        QFile::remove(folder.nativePath("countdown.txt"));
        emit window.Timer1()->Timer();
        EXPECT_TRUE(QFile::exists(folder.nativePath("countdown.txt"))) << "tick " << tick;
    }
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();

    // Counting down past the event: the tick stops at the gate, the timer stays on.
    window.lblCountDirection()->setCaption("1");
    window.Counter()->setEventDate(vb::now() - 1);
    const QString seconds = window.c1eIntervalsLeft(6)->Caption();
    QFile::remove(folder.nativePath("countdown.txt"));
    emit window.Timer1()->Timer();
    EXPECT_TRUE(window.Timer1()->Enabled());
    EXPECT_EQ(window.c1eIntervalsLeft(6)->Caption(), seconds);
    EXPECT_FALSE(QFile::exists(folder.nativePath("countdown.txt")));
}

// A path the export refused or failed on is looked at again a second later, not on each of
// the hundred ticks in between: taking the obstacle away shows only at the next look.
TEST_F(ScreenSaverWindow, ARefusedExportPathIsLookedAtAgainOnlyAfterASecond)
{
    qint64 steadyNow = 0;
    context.steadyClock = [&steadyNow] { return steadyNow; };
    preparePackage("Party", "Party", [](clsCountdown& c) {
        c.setSaveToFile(true);
        c.setSaveFormat("3");
    });
    modCounter::resetReportedFailures();
    frmCountdownScreenSaver& window = start();
    const auto removeFile = [this](const QString& name) { ASSERT_TRUE(QFile::remove(folder.nativePath(name))); };
    struct Case {
        const char* what;
        const char* name;
        std::function<void(const QString&)> block;
        std::function<void(const QString&)> unblock;
    };
    const auto usersFile = [this](const char* text) {
        return [this, text](const QString& name) { folder.write(name, text); };
    };
    const Case cases[] = {
        {"a note of the user's", "bank.txt", usersFile("Call the bank - \r\n"), removeFile},
        {"a plan of the user's", "plan.txt", usersFile("Project plan - 2 Days, 3 Hours, \r\n"), removeFile},
        {"a missing folder", "later/count.txt", [](const QString&) {},
         [this](const QString&) { folder.makeFolder("later"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.block(c.name);
        const QByteArray usersBytes = folder.read(c.name);
        window.lblSaveToFileLocation()->setCaption(folder.internalPath(c.name));
        services.ui().msgBoxes.clear();
        const qint64 refusedAt = steadyNow;
        emit window.Timer1()->Timer();
        EXPECT_EQ(folder.read(c.name), usersBytes);
        EXPECT_EQ(services.ui().msgBoxes.size(), 1u) << services.ui().prompts().join('|').toStdString();
        c.unblock(c.name);
        for (steadyNow = refusedAt + 10; steadyNow < refusedAt + 1000; steadyNow += 10)
            emit window.Timer1()->Timer();
        EXPECT_FALSE(QFile::exists(folder.nativePath(c.name))) << "looked at again within the second";
        emit window.Timer1()->Timer();
        EXPECT_TRUE(QFile::exists(folder.nativePath(c.name))) << "not looked at again after the second";
        EXPECT_EQ(services.ui().msgBoxes.size(), 1u) << services.ui().prompts().join('|').toStdString();
        steadyNow += 10;
    }
}

// The file an earlier run exported, of the viewer or of the screen saver, is the daily use: the
// screen saver replaces it.
TEST_F(ScreenSaverWindow, AnExportOfAnEarlierRunIsReplaced)
{
    const QString exportPath = folder.internalPath("countdown.txt");
    ExportTarget::write(exportPath, "Party - 9 Days, 1 Hour, 2 Minutes, 3 Seconds\r\n");
    preparePackage("Party", "Party", [&](clsCountdown& c) {
        c.setSaveToFile(true);
        c.setSaveFileName(exportPath);
        c.setSaveFormat("3");
    });
    modCounter::resetReportedFailures();
    modCounter::forgetWrittenExport();
    frmCountdownScreenSaver& window = start();
    emit window.Timer1()->Timer();
    EXPECT_EQ(folder.read("countdown.txt"),
              ExportWriter::fileBytes(modCounter::gatherExportInput(window, *window.Counter())));
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
}

TEST_F(ScreenSaverWindow, AnErrorInTheTickEndsTheScreenSaverWithOneMessage)
{
    preparePackage("Party", "Party");
    frmCountdownScreenSaver& window = start();
    const QString seconds = window.c1eIntervalsLeft(6)->Caption();
    window.lblSaveToFile()->setCaption("perhaps"); // not a Boolean: type mismatch on the tick
    emit window.Timer1()->Timer();
    emit window.Timer1()->Timer();
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, "13\r\nType mismatch");
    EXPECT_FALSE(window.Timer1()->Enabled());
    expectEndedCleanly(&window);
}

TEST_F(ScreenSaverWindow, NothingIsEverSaved)
{
    preparePackage("From the package", "From the work folder");
    const QByteArray package = folder.read("Party.MVL");
    const auto settings = services.settings().values;
    frmCountdownScreenSaver& window = start();
    window.setGeometry(10, 20, 300, 200); // a changed window would be saved by the viewer
    sendKey(&window);
    ASSERT_TRUE(ended());
    ss::Reset();
    EXPECT_EQ(folder.read("Party.MVL"), package);
    EXPECT_EQ(services.settings().values, settings);
}

// ---- input ---------------------------------------------------------------------------------

TEST_F(ScreenSaverWindow, KeysAndMouseButtonsEndItAtOnce)
{
    struct Case {
        const char* what;
        std::function<void(frmCountdownScreenSaver&)> input;
    } const cases[] = {
        {"key on the window", [](frmCountdownScreenSaver& w) { sendKey(&w); }},
        {"button on the window", [](frmCountdownScreenSaver& w) { sendMouse(&w, QEvent::MouseButtonPress, Qt::LeftButton); }},
        {"right button on the picture", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eImage(), QEvent::MouseButtonPress, Qt::RightButton); }},
        {"button on the caption", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eEventCaption(), QEvent::MouseButtonPress, Qt::LeftButton); }},
        {"key on the date", [](frmCountdownScreenSaver& w) { sendKey(w.c1eEventDate()); }},
        {"button on a time-left box", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eIntervalsLeft(3), QEvent::MouseButtonPress, Qt::MiddleButton); }},
        {"click on the date", [](frmCountdownScreenSaver& w) { emit w.c1eEventDate()->Click(); }},
        {"double click on the picture", [](frmCountdownScreenSaver& w) { emit w.c1eImage()->DblClick(); }},
        {"key press on a time-left box", [](frmCountdownScreenSaver& w) { emit w.c1eIntervalsLeft(6)->KeyPress(32); }},
        {"key down on the caption", [](frmCountdownScreenSaver& w) { emit w.c1eEventCaption()->KeyDown(16, 1); }},
        {"button on the status bar", [](frmCountdownScreenSaver& w) { sendMouse(w.StatusBar1(), QEvent::MouseButtonPress, Qt::LeftButton); }},
        {"key on the status bar", [](frmCountdownScreenSaver& w) { sendKey(w.StatusBar1()); }},
        {"button on the area below the boxes", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eCaptions(), QEvent::MouseButtonPress, Qt::LeftButton); }},
        {"key on the area below the boxes", [](frmCountdownScreenSaver& w) { sendKey(w.c1eCaptions()); }},
        {"button on the top panel", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eTop(), QEvent::MouseButtonPress, Qt::RightButton); }},
        {"button on the boxes' frame", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eIntervalsLeft(0), QEvent::MouseButtonPress, Qt::LeftButton); }},
        {"button on the logo", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eAdvertiserLogo(), QEvent::MouseButtonPress, Qt::LeftButton); }},
        {"double click on the logo", [](frmCountdownScreenSaver& w) { sendMouse(w.c1eAdvertiserLogo(), QEvent::MouseButtonDblClick, Qt::LeftButton); }},
        {"wheel on the window", [](frmCountdownScreenSaver& w) { sendWheel(&w); }},
        {"wheel on a time-left box", [](frmCountdownScreenSaver& w) { sendWheel(w.c1eIntervalsLeft(2)); }},
        {"wheel on the status bar", [](frmCountdownScreenSaver& w) { sendWheel(w.StatusBar1()); }},
    };
    preparePackage("Party", "Party");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ss::Reset();
        ProgramEnd::reset();
        services.windows().cursorCount = 0;
        frmCountdownScreenSaver& window = start();
        ASSERT_FALSE(ended());
        c.input(window);
        expectEndedCleanly(&window);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST_F(ScreenSaverWindow, AKeyAnsweringAMessageEndsNothing)
{
    preparePackage("Party", "Party");
    frmCountdownScreenSaver& window = start();
    {
        QDialog message; // a message box stands in: modal while it is up
        message.setWindowModality(Qt::ApplicationModal);
        message.show();
        sendKey(&window);
        sendMouse(&window, QEvent::MouseButtonPress, Qt::LeftButton);
        EXPECT_FALSE(ended());
    }
    // Return held down from answering the message repeats on the screen saver.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    QApplication::sendEvent(&window, &repeat);
    EXPECT_FALSE(ended());
    sendKey(&window);
    expectEndedCleanly(&window);
}

TEST_F(ScreenSaverWindow, TheTwentySecondMovementOverOnePanelEndsIt)
{
    using Panel = std::function<QWidget*(frmCountdownScreenSaver&)>;
    const Panel caption = [](frmCountdownScreenSaver& w) { return w.c1eEventCaption(); };
    const Panel date = [](frmCountdownScreenSaver& w) { return w.c1eEventDate(); };
    const Panel image = [](frmCountdownScreenSaver& w) { return w.c1eImage(); };
    const Panel box1 = [](frmCountdownScreenSaver& w) { return w.c1eIntervalsLeft(1); };
    const Panel box2 = [](frmCountdownScreenSaver& w) { return w.c1eIntervalsLeft(2); };
    const Panel logo = [](frmCountdownScreenSaver& w) { return w.c1eAdvertiserLogo(); };
    const Panel top = [](frmCountdownScreenSaver& w) { return w.c1eTop(); };
    const Panel captions = [](frmCountdownScreenSaver& w) { return w.c1eCaptions(); };
    const Panel bar = [](frmCountdownScreenSaver& w) { return w.StatusBar1(); };
    const Panel form = [](frmCountdownScreenSaver& w) { return &w; };
    struct Case {
        const char* what;
        std::vector<std::pair<Panel, int>> moves;
        bool ends; // on the very last movement, not before
    } const cases[] = {
        {"21 over the caption", {{caption, 21}}, false},
        {"22 over the caption", {{caption, 22}}, true},
        {"22 over the picture", {{image, 22}}, true},
        {"15 over the caption, 15 over the date", {{caption, 15}, {date, 15}}, false},
        {"11 over one box, 11 over another", {{box1, 11}, {box2, 11}}, true},
        {"21 over the date, 21 over the picture", {{date, 21}, {image, 21}}, false},
        {"uncounted panels and the form", {{logo, 50}, {top, 50}, {captions, 50}, {bar, 50}, {form, 50}}, false},
    };
    preparePackage("Party", "Party");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ss::Reset();
        ProgramEnd::reset();
        frmCountdownScreenSaver& window = start();
        for (size_t step = 0; step < c.moves.size(); ++step) {
            const auto& [panel, times] = c.moves[step];
            const bool last = step + 1 == c.moves.size();
            moveOver(panel(window), last ? times - 1 : times);
            ASSERT_FALSE(ended());
            if (last)
                moveOver(panel(window), 1);
        }
        EXPECT_EQ(ended(), c.ends);
    }
}

TEST_F(ScreenSaverWindow, GeometryOrFontSizesNearTheSingleLimitLeaveItRunningWithoutAMessage)
{
    services.screen().widthPixels = 1024;
    services.screen().heightPixels = 768;
    preparePackage("Party", "Party", [](clsCountdown& c) {
        c.setWidth(3e38f);
        c.setHeight(-3.4e38f);
        c.setLeft(3.4e38f);
        c.setEventDateFontsize(3.4e38f);
        c.setTimerDateFontsize(3e38f);
    });
    frmCountdownScreenSaver& window = start();
    for (int tick = 0; tick < 3; ++tick)
        emit window.Timer1()->Timer();
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
    EXPECT_EQ(window.lblSaveToFile()->Caption(), "False"); // the whole countdown was applied
    EXPECT_FALSE(ended());
}

// ---- hidden-label handlers of the screen saver -----------------------------------------------

TEST_F(ScreenSaverWindow, MissingEmptyOrUndecodablePicturesClearThePanelsSilently)
{
    // Contents of the files; null: no file. An empty file is what a package keeps for a picture
    // it could not pack.
    struct Case { const char* what; const char* bytes; };
    const Case cases[] = {{"missing", nullptr}, {"empty", ""}, {"no picture", "GIF89a, but no"}};
    preparePackage("Party", "Party");
    frmCountdownScreenSaver& window = start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString stem = QString("bad-") + QString::number(&c - cases);
        if (c.bytes) {
            folder.write("Temp/" + stem + ".jpg", c.bytes);
            folder.write("Temp/" + stem + ".gif", c.bytes);
        }
        window.c1eImage()->setVisible(true);
        window.c1eAdvertiserLogo()->setVisible(true);
        window.c1eAdvertiserLogo()->setCaption("logo");
        window.lblImageFileName()->setCaption(stem + ".jpg");
        window.lblLogoImage()->setCaption(stem + ".gif");
        EXPECT_FALSE(window.c1eImage()->hasPicture());
        EXPECT_FALSE(window.c1eImage()->Visible());
        EXPECT_FALSE(window.c1eAdvertiserLogo()->hasPicture());
        // Hidden as in the viewer: the form binding shows it again when the countdown wants it.
        EXPECT_FALSE(window.c1eAdvertiserLogo()->Visible());
        EXPECT_EQ(window.c1eAdvertiserLogo()->Caption(), "");
    }
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();

    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(folder.nativePath("Temp/logo.png")));
    ASSERT_TRUE(red.save(folder.nativePath("Temp/picture.png")));
    window.c1eImage()->setCaption("picture");
    window.lblImageFileName()->setCaption("picture.png");
    window.lblLogoImage()->setCaption("logo.png");
    EXPECT_TRUE(window.c1eImage()->hasPicture());
    EXPECT_EQ(window.c1eImage()->Caption(), "");
    EXPECT_TRUE(window.c1eAdvertiserLogo()->hasPicture());
}

TEST_F(ScreenSaverWindow, AnUndecodablePictureOrLogoInTheCountdownLeavesItRunning)
{
    for (const bool logo : {false, true}) {
        SCOPED_TRACE(logo ? "logo" : "picture");
        ss::Reset();
        ProgramEnd::reset();
        folder.write("Temp/broken.jpg", "these bytes are no picture");
        preparePackage("Party", "Party", [logo](clsCountdown& c) {
            if (logo)
                c.setAdvertiserLogoFileName("broken.jpg");
            else
                c.setImageFileName("broken.jpg");
            c.setAdvertiserLogoVisible(true);
        });
        frmCountdownScreenSaver& window = start();
        EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
        EXPECT_FALSE(window.c1eImage()->hasPicture());
        EXPECT_FALSE(window.c1eAdvertiserLogo()->hasPicture());
        EXPECT_EQ(window.lblSaveToFile()->Caption(), "False"); // the whole countdown was applied
        for (int tick = 0; tick < 3; ++tick)
            emit window.Timer1()->Timer();
        EXPECT_FALSE(ended());
        EXPECT_TRUE(window.Timer1()->Enabled());
    }
}

} // namespace
