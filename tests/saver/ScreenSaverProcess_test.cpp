#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "foundation/ProgramTexts.h"
#include "platform/FileSystem.h"
#include "support/PackageBuilder.h"
#include "support/WaitUntil.h"
#include "support/OwnXServer.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include <unistd.h>

namespace {

const QString kSaver = QStringLiteral(VANTREL_BIN_DIR "/vantrel-saver");

// Real screen-saver processes over one program folder, offscreen, with their own settings and
// runtime folders.
class ScreenSaverProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(kSaver)) << kSaver.toStdString();
        folder.makeFolder("app/Temp");
        packParty(std::floor(vb::now()) + 10, false);

        QDir().mkpath(folder.nativePath("config"));
        QDir().mkpath(folder.nativePath("runtime"));
        QDir().mkpath(folder.nativePath("tmp"));
        QFile::setPermissions(folder.nativePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                | QFileDevice::ExeOwner);
        QSettings ini(folder.nativePath("config/" + ProgramTexts::kSettingsApplication + ".ini"), QSettings::IniFormat);
        ini.beginGroup(ProgramTexts::kSettingsSection);
        ini.setValue(ProgramTexts::kAppPathKey, folder.internalPath("app"));
        ini.setValue(ProgramTexts::kLastOpenTemplateKey, folder.internalPath("app/Party.MVL"));
        ini.endGroup();
        ini.sync();
        ASSERT_EQ(ini.status(), QSettings::NoError);
    }
    // The package the settings name: "Party" at `eventDate`, ringing there when `alarm`.
    void packParty(double eventDate, bool alarm)
    {
        const QString stage = folder.makeFolder("stage");
        clsCountdown countdown;
        countdown.setDatabaseLocation(stage);
        countdown.setCountdownFileName("Party.MVK");
        countdown.setEventCaption("Party");
        countdown.setEventDate(eventDate);
        countdown.setAlarmSound(alarm);
        ASSERT_TRUE(countdown.Update());
        PackageBuilder().dataFrom(stage, "Party.MVK").writeTo(folder.internalPath("app/Party.MVL"));
        ASSERT_TRUE(QFile::exists(folder.nativePath("app/Party.MVL")));
    }
    void TearDown() override
    {
        for (auto& process : processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    // Offscreen, or on the X display `display` when one is given.
    QProcess& startSaver(const QString& commandSwitch, const QString& display = {})
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = programEnvironment(display);
        env.insert("XDG_CONFIG_HOME", folder.nativePath("config"));
        env.insert("XDG_DATA_HOME", folder.nativePath("data"));
        env.insert("XDG_RUNTIME_DIR", folder.nativePath("runtime"));
        env.insert("TMPDIR", folder.nativePath("tmp"));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(program, commandSwitch.isEmpty() ? QStringList() : QStringList{commandSwitch});
        EXPECT_TRUE(process->waitForStarted(10000));
        processes.push_back(std::move(process));
        return *processes.back();
    }
    // The full-screen instance holds its lock once it is past the start-up checks.
    bool lockTaken() const { return QFile::exists(folder.nativePath("runtime/vantrel-saver.lock")); }
    static bool stillRunningAfter(QProcess& process, int ms)
    {
        return !process.waitForFinished(ms) && process.state() == QProcess::Running;
    }

    void storeAppPath(const QString& path)
    {
        QSettings ini(folder.nativePath("config/" + ProgramTexts::kSettingsApplication + ".ini"), QSettings::IniFormat);
        ini.setValue(ProgramTexts::kSettingsSection + "/" + ProgramTexts::kAppPathKey, path);
    }

    TestServices services;
    // The test process builds packages, and countdowns read the program folder from a context.
    ProgramContext context;
    TempFolder folder;
    // The executable the processes run.
    QString program = kSaver;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(ScreenSaverProcess, ASecondFullScreenInstanceEndsAtOnceWhileTheFirstRuns)
{
    QProcess& first = startSaver("/s");
    ASSERT_TRUE(waitUntil([this] { return lockTaken(); }, 20000)) << first.readAll().toStdString();

    QProcess& second = startSaver("/S");
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A start without a switch is never refused.
    QProcess& plain = startSaver("");
    EXPECT_TRUE(stillRunningAfter(plain, 1500)) << plain.readAll().toStdString();

    // Once the first is gone, its lock is stale and a new full-screen run starts.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    plain.kill();
    ASSERT_TRUE(plain.waitForFinished(10000));
    QProcess& again = startSaver("/s");
    EXPECT_TRUE(stillRunningAfter(again, 1500)) << again.readAll().toStdString();
}

TEST_F(ScreenSaverProcess, SwitchesWithoutAWindowEndTheProgram)
{
    for (const char* commandSwitch : {"/a", "/p", "/p 0"}) {
        SCOPED_TRACE(commandSwitch);
        QProcess& process = startSaver(commandSwitch);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_FALSE(lockTaken());
    }
}

TEST_F(ScreenSaverProcess, AStoredProgramFolderThatIsGoneFallsBackToItsOwnFolder)
{
    // The viewer's folder was moved away; the package it last opened is still there.
    storeAppPath(folder.internalPath("moved"));
    // A saver of its own, so the folder it falls back to is the test's.
    folder.makeFolder("own");
    ASSERT_TRUE(QFile::copy(kSaver, folder.nativePath("own/vantrel-saver")));
    program = folder.nativePath("own/vantrel-saver");

    QProcess& saver = startSaver("/s");
    // It shows the package from its own folder's work folder, and says nothing.
    EXPECT_TRUE(waitUntil([this] { return QFile::exists(folder.nativePath("own/Temp/Party.MVK")); }, 20000));
    EXPECT_TRUE(stillRunningAfter(saver, 1000));
    const QString output = QString::fromLocal8Bit(saver.readAll());
    EXPECT_FALSE(output.contains("Path not found")) << output.toStdString();
    EXPECT_FALSE(output.contains(ProgramTexts::kProgramTitle + ": ")) << output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.nativePath("moved")));
}

// True when the file attribute change succeeded (it needs the superuser and a file system that
// has the attribute).
bool chattr(const QString& change, const QString& nativePath)
{
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start("chattr", {change, nativePath});
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

TEST_F(ScreenSaverProcess, ALockThatCannotBeMadeIsNoInstanceRunning)
{
    const QString runtimeLock = folder.nativePath("runtime/vantrel-saver.lock");
    const QString fallbackLock = folder.nativePath(QStringLiteral("tmp/vantrel-saver-%1.lock").arg(::geteuid()));
    struct Case {
        const char* name;
        std::function<bool()> prepare; // false: the case cannot be made here
        std::function<void()> undo;
    } const cases[] = {
        {"a folder in the lock's place", [&] { return QDir().mkdir(runtimeLock); }, [&] { QDir().rmdir(runtimeLock); }},
        // Write rights do not stop the superuser; an immutable folder stops everyone.
        {"a runtime folder that cannot be written",
         [&] { return chattr("+i", folder.nativePath("runtime")); },
         [&] { chattr("-i", folder.nativePath("runtime")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.prepare())
            continue;
        QProcess& first = startSaver("/s");
        // It runs, holding the user's lock in the temporary folder ...
        EXPECT_TRUE(waitUntil([&] { return QFile::exists(fallbackLock); }, 20000)) << first.readAll().toStdString();
        EXPECT_TRUE(stillRunningAfter(first, 1000)) << first.readAll().toStdString();
        // ... which a second full-screen run finds held.
        QProcess& second = startSaver("/s");
        EXPECT_TRUE(second.waitForFinished(20000));
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished(5000);
        c.undo();
    }
}

TEST_F(ScreenSaverProcess, AWorkFolderThatCannotBeMadeEndsWithOneMessageAndStatusOne)
{
    // Rights do not stop the superuser: this runs as an ordinary user.
    if (::geteuid() == 0)
        GTEST_SKIP() << "needs a user whom a read-only folder stops";
    QDir(folder.nativePath("app/Temp")).removeRecursively();
    ASSERT_TRUE(QFile::setPermissions(folder.nativePath("app"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    // Offscreen nobody could answer the message box; on an X server a key does.
    OwnXServer x(false);
    ASSERT_FALSE(x.display.isEmpty());
    QProcess& saver = startSaver("/s", x.display);
    const QString pid = QString::number(saver.processId());
    ASSERT_TRUE(waitUntil([&] { return !x.run({"xdotool", "search", "--onlyvisible", "--pid", pid}).isEmpty(); }, 20000))
        << saver.readAll().toStdString();
    x.run({"xdotool", "key", "Return"});
    ASSERT_TRUE(saver.waitForFinished(20000));
    QFile::setPermissions(folder.nativePath("app"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                        | QFileDevice::ExeOwner);
    EXPECT_EQ(saver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(saver.exitCode(), 1);
    const QString output = QString::fromLocal8Bit(saver.readAll());
    // One message, and it names the folder.
    EXPECT_EQ(output.count(ProgramTexts::kProgramTitle + ": "), 1) << output.toStdString();
    EXPECT_TRUE(output.contains(folder.nativePath("app/Temp"))) << output.toStdString();
}

TEST_F(ScreenSaverProcess, AnyKeyButtonOrWheelEndsItOnX)
{
    const char* const inputs[] = {
        "key Escape", "key a", "key Return", "key space",
        "mousemove 512 384 click 1",  // the boxes
        "mousemove 4 764 click 1",    // the status bar
        "mousemove 1000 720 click 3", // the background near the logo
        "mousemove 20 20 click 2",
        "mousemove 512 384 click 4",  // wheel up
        "mousemove 512 384 click 5",  // wheel down
    };
    for (const bool windowManager : {false, true}) {
        SCOPED_TRACE(windowManager ? "under a window manager" : "without a window manager");
        OwnXServer x(windowManager);
        ASSERT_FALSE(x.display.isEmpty());
        ASSERT_EQ(x.managing, windowManager);
        for (const char* input : inputs) {
            SCOPED_TRACE(input);
            QProcess& saver = startSaver("/s", x.display);
            const QString pid = QString::number(saver.processId());
            ASSERT_TRUE(waitUntil([&] { return !x.run({"xdotool", "search", "--onlyvisible", "--pid", pid}).isEmpty(); },
                                  20000))
                << saver.readAll().toStdString();
            // Input only once the window has the keyboard focus, as a user's would come.
            const QString window = x.run({"xdotool", "search", "--onlyvisible", "--pid", pid}).split('\n').first();
            EXPECT_TRUE(waitUntil([&] { return x.run({"xdotool", "getwindowfocus"}).trimmed() == window; }, 5000));
            x.run(QString::fromLatin1(input).prepend("xdotool ").split(' '));
            EXPECT_TRUE(saver.waitForFinished(10000)) << saver.readAll().toStdString();
            EXPECT_EQ(saver.exitCode(), 0);
            saver.kill();
            saver.waitForFinished(5000);
        }
    }
}

// The alarm rings during the screen saver, with no sound to play: its message stands above the
// saver and the alarm and has the keys; the key that answers it ends nothing.
TEST_F(ScreenSaverProcess, AMessageDuringTheScreenSaverStandsAboveItAndItsAnswerEndsNothing)
{
    const QRect screen(0, 0, 1024, 768);
    for (const bool windowManager : {true, false}) {
        SCOPED_TRACE(windowManager ? "under a window manager" : "without a window manager");
        QFile::remove(folder.nativePath("app/Temp/Party.MVK"));
        // Far enough ahead that a saver slow to start on a loaded machine still counts towards it.
        packParty(std::round((vb::now() + 12.0 / 86400) * 86400) / 86400, true);
        OwnXServer x(windowManager);
        ASSERT_EQ(x.managing, windowManager);
        QProcess& saver = startSaver("/s", x.display);
        QString message;
        ASSERT_TRUE(waitUntil([&] {
            for (const QString& id : x.windowsOf(saver.processId()))
                if (x.clientGeometry(id) != screen && x.focusedWindow() == id)
                    message = id;
            return !message.isEmpty();
        }, 40000)) << saver.readAll().toStdString();
        // Nothing of the program covers the message.
        const QStringList stacking = x.stackingBottomToTop();
        ASSERT_TRUE(stacking.contains(message)) << stacking.join(' ').toStdString();
        for (const QString& id : x.windowsOf(saver.processId()))
            EXPECT_LE(stacking.indexOf(id), stacking.indexOf(message)) << stacking.join(' ').toStdString();
        x.xdotool({"key", "Return"});
        EXPECT_TRUE(waitUntil([&] { return !x.windowsOf(saver.processId()).contains(message); }, 5000));
        EXPECT_TRUE(stillRunningAfter(saver, 1500)) << saver.readAll().toStdString();
        saver.kill();
        saver.waitForFinished(5000);
    }
}

} // namespace
