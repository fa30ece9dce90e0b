#include "countdown/CountdownDefaults.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "foundation/ProgramTexts.h"
#include "platform/FileSystem.h"
#include "platform/IniSettingsStore.h"
#include "support/OwnXServer.h"
#include "support/PackageBuilder.h"
#include "support/TestServices.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QRect& r, std::ostream* out)
{
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// The real viewer from a program folder of its own, on an X server of the test's own with or
// without a window manager, used with the keyboard and the mouse as a user would.
class ViewerOnX : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString executable = QStringLiteral(VANTREL_BIN_DIR "/vantrel-viewer");
        if (!QFileInfo::exists(executable))
            GTEST_SKIP() << "vantrel-viewer is not built";
        home.makeFolder("Vantrel/Countdowns");
        home.makeFolder("Vantrel/Temp");
        ASSERT_TRUE(QFile::copy(executable, home.nativePath("Vantrel/vantrel-viewer")));
        // The default package, so that no open dialog asks for one.
        home.makeFolder("Vantrel/Templates");
        ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/Templates/Default.MVL"),
                                home.nativePath("Vantrel/Templates/Default.MVL")));
        QFile::setPermissions(home.nativePath("Vantrel/vantrel-viewer"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        platform::IniSettingsStore settings(home.nativePath("config"));
        settings.put(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection, "ShowScreenWarning", "n");
    }
    void TearDown() override
    {
        if (viewer.state() != QProcess::NotRunning) {
            viewer.kill();
            viewer.waitForFinished(5000);
        }
    }

    void showWizardAtStart()
    {
        platform::IniSettingsStore(home.nativePath("config"))
            .put("vantrel-viewer", "Options", ProgramTexts::kShowStartupWizardKey, "0");
    }
    // A package with the alarm on, its event `seconds` from now; no sound anywhere, so the
    // alarm says so in a message box.
    QString packageRingingIn(double seconds)
    {
        const QString staging = home.makeFolder("staging");
        clsCountdown countdown;
        CountdownDefaults::applyNewCountdownDefaults(countdown, [](const QString&, int) {});
        countdown.setDatabaseLocation(staging);
        countdown.setCountdownFileName("Ring.MVK");
        countdown.setEventCaption("Ring");
        countdown.setEventDate(std::round((vb::now() + seconds / 86400) * 86400) / 86400);
        countdown.setIntervalSeconds(true);
        countdown.setAlarmSound(true);
        countdown.setAlarmFileName(QString());
        countdown.setImageFileName(QString());
        countdown.setAdvertiserLogoFileName(QString());
        EXPECT_TRUE(countdown.Update());
        const QString package = home.internalPath("Vantrel/Countdowns/Ring.MVL");
        PackageBuilder().dataFrom(staging, "Ring.MVK").writeTo(package);
        return platform::fs::toNative(package);
    }
    void start(const OwnXServer& x, const QStringList& arguments = {})
    {
        QProcessEnvironment environment = programEnvironment(x.display);
        environment.insert("XDG_CONFIG_HOME", home.nativePath("config"));
        environment.insert("XDG_DATA_HOME", home.nativePath("data"));
        viewer.setProcessEnvironment(environment);
        viewer.setProcessChannelMode(QProcess::MergedChannels);
        viewer.start(home.nativePath("Vantrel/vantrel-viewer"), arguments);
        ASSERT_TRUE(viewer.waitForStarted(10000));
    }
    // The one visible window of the viewer titled `title`, once it has the keyboard focus.
    QString focusedWindow(const OwnXServer& x, const QString& title, int timeoutMs = 20000)
    {
        QString found;
        waitUntil([&] {
            const QStringList windows = x.windowsOf(viewer.processId(), title);
            found = windows.size() == 1 && x.focusedWindow() == windows[0] ? windows[0] : QString();
            return !found.isEmpty();
        }, timeoutMs);
        return found;
    }
    // The geometry of `window` once it has stopped changing.
    static QRect settledGeometry(const OwnXServer& x, const QString& window)
    {
        QRect last = x.clientGeometry(window);
        for (int i = 0; i < 20; ++i) {
            QThread::msleep(150);
            const QRect now = x.clientGeometry(window);
            if (now == last)
                return now;
            last = now;
        }
        return last;
    }
    // The outer size and position the form file holds, as "Top Height Width Left".
    QString storedAboutBox() const
    {
        const QByteArray bytes = home.read("Vantrel/Temp/frmAbout.MVW");
        QStringList values;
        for (const QByteArray& line : bytes.split('\n')) {
            QByteArray plain;
            for (const char c : line.trimmed())
                plain += static_cast<char>(static_cast<unsigned char>(c) - 1);
            for (const char* tag : {"Top", "Height", "Width", "Left"})
                if (plain.startsWith(QByteArray("<") + tag + ">"))
                    values << QString::fromLatin1(plain.mid(static_cast<int>(strlen(tag)) + 2).split('<').first());
        }
        return values.join(' ');
    }

    TestServices services;
    // The test process builds packages, and countdowns read the program folder from a context.
    ProgramContext context;
    TempFolder home;
    QProcess viewer;
};

TEST_F(ViewerOnX, TheAboutBoxReopensWhereItWasClosedEveryTime)
{
    const QRect screen(0, 0, 1024, 768);
    for (const bool windowManager : {true, false}) {
        SCOPED_TRACE(windowManager ? "under a window manager" : "without a window manager");
        QFile::remove(home.nativePath("Vantrel/Temp/frmAbout.MVW"));
        OwnXServer x(windowManager);
        ASSERT_EQ(x.managing, windowManager);
        showWizardAtStart();
        start(x);
        ASSERT_FALSE(focusedWindow(x, "^Startup Wizard$").isEmpty()) << viewer.readAll().toStdString();
        QRect first;
        QString firstStored;
        for (int opening = 1; opening <= 8; ++opening) {
            SCOPED_TRACE(opening);
            x.xdotool({"key", "alt+a"});
            const QString about = focusedWindow(x, "^About ");
            ASSERT_FALSE(about.isEmpty()) << viewer.readAll().toStdString();
            const QRect shown = settledGeometry(x, about);
            EXPECT_TRUE(screen.contains(shown)) << testing::PrintToString(shown);
            x.xdotool({"key", "Escape"});
            ASSERT_FALSE(focusedWindow(x, "^Startup Wizard$").isEmpty());
            if (opening == 1) {
                first = shown;
                firstStored = storedAboutBox();
                // 85 percent of 800 pixels, 70 percent of that high, at 15 twips per pixel
                EXPECT_TRUE(firstStored.contains(" 7140 10200 ")) << firstStored.toStdString();
            }
            EXPECT_EQ(shown, first);
            EXPECT_EQ(storedAboutBox(), firstStored);
        }
        viewer.kill();
        viewer.waitForFinished(5000);
    }
}

// An alarm that comes due while the startup wizard is open covers it, tells first that there is
// no sound, then takes the keys and the mouse; once closed, the wizard below has them again.
TEST_F(ViewerOnX, TheAlarmOverTheStartupWizardTakesTheKeysAndTheMouse)
{
    const QRect screen(0, 0, 1024, 768);
    struct Case {
        bool windowManager;
        QStringList closeAlarm; // xdotool arguments
    };
    const Case cases[] = {
        {true, {"key", "Escape"}},
        {false, {"key", "Escape"}},
        {true, {"key", "space"}},
        {false, {"mousemove", "962", "737", "click", "1"}}, // the Ok button, bottom right
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.windowManager ? "under a window manager, " : "without one, ")
                                        << c.closeAlarm.join(' ').toStdString());
        OwnXServer x(c.windowManager);
        ASSERT_EQ(x.managing, c.windowManager);
        start(x, {packageRingingIn(9)});
        QString countdown;
        ASSERT_TRUE(waitUntil([&] {
            const QStringList windows = x.windowsOf(viewer.processId(), "^" + ProgramTexts::kProgramTitle + "$");
            countdown = windows.value(0);
            return windows.size() == 1;
        }, 20000)) << viewer.readAll().toStdString();
        const QRect window = x.clientGeometry(countdown);
        x.xdotool({"mousemove", QString::number(window.center().x()), QString::number(window.center().y()),
                   "click", "3"});
        QThread::msleep(500);
        x.xdotool({"key", "r"}); // &Run Startup Wizard
        const QString wizard = focusedWindow(x, "^Startup Wizard$");
        ASSERT_FALSE(wizard.isEmpty()) << viewer.readAll().toStdString();

        // The alarm is up before its message is, and the message has the keys.
        QString alarm, message;
        ASSERT_TRUE(waitUntil([&] {
            for (const QString& id : x.windowsOf(viewer.processId())) {
                if (id == wizard || id == countdown)
                    continue;
                if (x.clientGeometry(id) == screen)
                    alarm = id;
                else if (x.focusedWindow() == id)
                    message = id;
            }
            return !message.isEmpty();
        }, 20000)) << viewer.readAll().toStdString();
        EXPECT_FALSE(alarm.isEmpty()) << "the message came before the alarm window";
        x.xdotool({"key", "Return"});
        ASSERT_TRUE(waitUntil([&] { return !x.windowsOf(viewer.processId()).contains(message); }, 5000));
        ASSERT_TRUE(waitUntil([&] { return x.focusedWindow() == alarm; }, 5000)) << "the alarm has not the keys";

        x.xdotool(c.closeAlarm);
        EXPECT_TRUE(waitUntil([&] { return !x.windowsOf(viewer.processId()).contains(alarm); }, 5000));
        // The wizard is still there and has the keys again: Escape closes it.
        EXPECT_TRUE(waitUntil([&] { return x.focusedWindow() == wizard; }, 5000));
        x.xdotool({"key", "Escape"});
        EXPECT_TRUE(waitUntil([&] { return !x.windowsOf(viewer.processId()).contains(wizard); }, 5000));
        EXPECT_TRUE(x.windowsOf(viewer.processId()).contains(countdown));
        viewer.kill();
        viewer.waitForFinished(5000);
        QFile::remove(home.nativePath("Vantrel/Countdowns/Ring.MVL"));
    }
}

} // namespace
