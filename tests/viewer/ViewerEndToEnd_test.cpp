#include "countdown/CountdownDefaults.h"
#include "countdown/HandMadePackage.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramContext.h"
#include "foundation/ProgramTexts.h"
#include "platform/FileSystem.h"
#include "platform/IniSettingsStore.h"
#include "support/OwnXServer.h"
#include "support/PackageBuilder.h"
#include "support/RawEntries.h"
#include "support/PlainPicture.h"
#include "support/TestServices.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/stat.h>
#include <functional>
#include <memory>

namespace {


// Waits (up to `seconds`) until `done` holds or the process has ended.
bool waitFor(QProcess& process, const std::function<bool()>& done, int seconds = 20)
{
    const QDeadlineTimer deadline(seconds * 1000);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        if (process.state() == QProcess::NotRunning)
            return done();
        process.waitForReadyRead(50);
    }
    return done();
}

// The real viewer run from a program folder of its own (a copy of the executable and its bell
// sound), with its own settings and data folders and the offscreen platform.
class ViewerProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString bin = QStringLiteral(VANTREL_BIN_DIR);
        const QString executable = bin + QStringLiteral("/vantrel-viewer");
        if (!QFileInfo::exists(executable))
            GTEST_SKIP() << "vantrel-viewer is not built";
        programFolder = home.makeFolder(QStringLiteral("Vantrel"));
        ASSERT_TRUE(QFile::copy(executable, home.nativePath(QStringLiteral("Vantrel/vantrel-viewer"))));
        QFile::setPermissions(home.nativePath(QStringLiteral("Vantrel/vantrel-viewer")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QString bell = bin + QStringLiteral("/BELL.MP3");
        if (!QFileInfo::exists(bell))
            bell = QStringLiteral(VANTREL_SOURCE_DIR "/assets/BELL.MP3");
        ASSERT_TRUE(QFile::copy(bell, home.nativePath(QStringLiteral("Vantrel/BELL.MP3"))));
        configFolder = home.nativePath(QStringLiteral("config"));
        // Keep every modal question out of the run.
        platform::IniSettingsStore settings(configFolder);
        settings.put(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection,
                     QStringLiteral("ShowScreenWarning"), QStringLiteral("n"));
        exportPath = home.nativePath(QStringLiteral("export.csv"));
    }

    void TearDown() override
    {
        if (viewer.state() != QProcess::NotRunning) {
            viewer.kill();
            viewer.waitForFinished(5000);
        }
    }

    // A package counting down to a day a year ahead, exporting every tick as plain
    // comma-separated values; `change` changes the countdown before it is packed.
    QString makePackage(const QString& name, const std::function<void(clsCountdown&)>& change = {})
    {
        const QString staging = home.makeFolder(QStringLiteral("staging"));
        clsCountdown countdown;
        CountdownDefaults::applyNewCountdownDefaults(countdown, [](const QString&, int) {});
        countdown.setDatabaseLocation(staging);
        countdown.setCountdownFileName(name + QStringLiteral(".MVK"));
        countdown.setEventCaption(QStringLiteral("Launch"));
        countdown.setEventDate(vb::now() + 400.5);
        countdown.setIntervalSeconds(true);
        countdown.setSaveToFile(true);
        countdown.setSaveFormat(QStringLiteral("5"));
        countdown.setSaveFileName(platform::fs::toInternal(exportPath));
        countdown.setImageFileName(QString());
        countdown.setAdvertiserLogoFileName(QString());
        countdown.setAlarmFileName(QString());
        if (change)
            change(countdown);
        EXPECT_TRUE(countdown.Update());
        const QString package = home.internalPath(QStringLiteral("Vantrel/Countdowns/") + name + QStringLiteral(".MVL"));
        home.makeFolder(QStringLiteral("Vantrel/Countdowns"));
        PackageBuilder().dataFrom(staging, name + QStringLiteral(".MVK")).writeTo(package);
        EXPECT_TRUE(QFileInfo::exists(platform::fs::toNative(package)));
        return package;
    }

    // Starts the viewer offscreen, or on the X display `display` when one is given; `program`
    // replaces the viewer of the program folder.
    void start(const QStringList& arguments, const QString& display = QString(), const QString& program = QString())
    {
        QProcessEnvironment environment = programEnvironment(display);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.nativePath(QStringLiteral("data")));
        viewer.setProcessEnvironment(environment);
        viewer.setProcessChannelMode(QProcess::MergedChannels);
        viewer.start(program.isEmpty() ? home.nativePath(QStringLiteral("Vantrel/vantrel-viewer")) : program, arguments);
        ASSERT_TRUE(viewer.waitForStarted(10000));
    }

    // The export once it holds its two whole lines.
    QStringList exportLines() const
    {
        QFile file(exportPath);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromLatin1(file.readAll());
        if (!text.endsWith(QStringLiteral("\r\n")))
            return {};
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }

    // The countdown the package holds now, read back through a fresh unpack.
    std::unique_ptr<clsCountdown> packedCountdown(const QString& package)
    {
        const QString check = home.makeFolder(QStringLiteral("check"));
        EXPECT_TRUE(ModJoinsSkins::OpenCountdownPackage(package, false, check));
        auto countdown = std::make_unique<clsCountdown>();
        countdown->setDatabaseLocation(check);
        countdown->setCountdownFileName(QFileInfo(platform::fs::toNative(package)).completeBaseName()
                                        + QStringLiteral(".MVK"));
        countdown->Refresh();
        return countdown;
    }

    QString storedSetting(const QString& key) const
    {
        return platform::IniSettingsStore(configFolder)
            .get(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection, key);
    }

    // SIGTERM, or SIGHUP from a terminal that closes: the viewer ends as the user's close would.
    void terminateAndExpectCleanEnd(int signalNumber = SIGTERM)
    {
        ASSERT_EQ(::kill(static_cast<pid_t>(viewer.processId()), signalNumber), 0);
        ASSERT_TRUE(viewer.waitForFinished(20000)) << viewer.readAll().toStdString();
        EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit) << viewer.readAll().toStdString();
        EXPECT_EQ(viewer.exitCode(), 0) << viewer.readAll().toStdString();
    }

    TestServices services;
    // The test process builds packages, and countdowns read the program folder from a context.
    ProgramContext context;
    TempFolder home;
    QString programFolder;
    QString configFolder;
    QString exportPath;
    QProcess viewer;
};

TEST_F(ViewerProcess, ExportsWhileRunningAndEndsCleanlyOnSigterm)
{
    const QString package = makePackage(QStringLiteral("Launch"));
    const auto packageBytes = [&package] {
        QFile file(platform::fs::toNative(package));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray packed = packageBytes();
    start({platform::fs::toNative(package)});

    ASSERT_TRUE(waitFor(viewer, [this] { return exportLines().size() == 2; }))
        << viewer.readAll().toStdString();
    terminateAndExpectCleanEnd();
    // The window was not changed, so its close saved nothing.
    EXPECT_EQ(packageBytes(), packed);

    const QStringList lines = exportLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("EventCaption,YearsLeft,MonthsLeft,DaysLeft,HoursLeft,MinutesLeft,SecondsLeft"));
    const QStringList fields = lines[1].split(QLatin1Char(','));
    ASSERT_EQ(fields.size(), 7) << lines[1].toStdString();
    EXPECT_EQ(fields[0], QStringLiteral("Launch"));
    for (int i = 1; i < 7; ++i) {
        bool number = false;
        fields[i].toInt(&number);
        EXPECT_TRUE(number) << fields[i].toStdString();
    }
    // The program folder got its data folders, and the viewer reported nothing.
    EXPECT_TRUE(QFileInfo(home.nativePath(QStringLiteral("Vantrel/Temp"))).isDir());
}

// The export a run left behind is the programs' own: the next run replaces it, every day.
TEST_F(ViewerProcess, TheNextRunReplacesTheExportOfTheLastOne)
{
    const QString package = makePackage(QStringLiteral("Launch"));
    start({platform::fs::toNative(package)});
    ASSERT_TRUE(waitFor(viewer, [this] { return exportLines().size() == 2; })) << viewer.readAll().toStdString();
    terminateAndExpectCleanEnd();
    const QStringList lastRun = exportLines();

    start({platform::fs::toNative(package)});
    ASSERT_TRUE(waitFor(viewer, [&] { return exportLines().size() == 2 && exportLines() != lastRun; }))
        << viewer.readAll().toStdString();
    terminateAndExpectCleanEnd();
    EXPECT_EQ(viewer.readAll(), QByteArray()) << "no message";
}

TEST_F(ViewerProcess, SigtermWhileTheStartupWizardIsOpenEndsCleanly)
{
    platform::IniSettingsStore(configFolder)
        .put(ProgramTexts::kViewerApplication, ProgramTexts::kOptionsSection, ProgramTexts::kShowStartupWizardKey,
             QStringLiteral("0"));
    const QString package = makePackage(QStringLiteral("Launch"));
    start({platform::fs::toNative(package)});

    // The work folder is made after the handlers are in place and before the wizard opens.
    ASSERT_TRUE(waitFor(viewer, [this] { return QFileInfo(home.nativePath(QStringLiteral("Vantrel/Temp"))).isDir(); }))
        << viewer.readAll().toStdString();
    terminateAndExpectCleanEnd();
    // The countdown window never loaded, so nothing was exported.
    EXPECT_FALSE(QFileInfo::exists(exportPath));
}

TEST_F(ViewerProcess, SigtermWhileALoadMessageIsOpenEndsCleanly)
{
    // A package whose data member the window cannot read: its load stops in a message box.
    home.makeFolder(QStringLiteral("Vantrel/Countdowns"));
    const QString package = home.nativePath(QStringLiteral("Vantrel/Countdowns/Countdown1.MVL"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTREL_TEST_DATA_DIR "/countdown/package/Countdown1.MVL"), package));
    start({package});

    QByteArray output;
    ASSERT_TRUE(waitFor(viewer, [&] {
        output += viewer.readAll();
        return output.contains("is not in a format that can be processed");
    })) << output.toStdString();
    terminateAndExpectCleanEnd();
}

TEST_F(ViewerProcess, RelativeCommandLineIsStoredWhole)
{
    const QString package = makePackage(QStringLiteral("Launch"));
    viewer.setWorkingDirectory(home.nativePath(QStringLiteral("Vantrel/Countdowns")));
    start({QStringLiteral("Launch.MVL")});

    ASSERT_TRUE(waitFor(viewer, [this] { return exportLines().size() == 2; })) << viewer.readAll().toStdString();
    // The screen saver reads the package from here, from a folder of its own.
    EXPECT_EQ(storedSetting(ProgramTexts::kLastOpenTemplateKey), package);
    terminateAndExpectCleanEnd();
}

TEST_F(ViewerProcess, AProgramFolderWhoseNameIsNotUtf8TextIsSaidAndNoOtherFolderTakesItsPlace)
{
    const QString package = makePackage(QStringLiteral("Launch"));
    // The viewer again, in a folder whose name on disk holds the Latin-1 byte of an "é".
    RawEntries raw;
    const QByteArray folder = QFile::encodeName(home.native()) + "/Vantr\xe9l";
    QFile executable(home.nativePath(QStringLiteral("Vantrel/vantrel-viewer")));
    ASSERT_TRUE(executable.open(QIODevice::ReadOnly));
    ASSERT_TRUE(raw.makeFolder(folder));
    ASSERT_TRUE(raw.makeFile(folder + "/vantrel-viewer", executable.readAll()));
    ASSERT_EQ(::chmod(folder + "/vantrel-viewer", 0700), 0);

    // The shell starts it by the bytes of its name, which a QString cannot hold.
    start({QStringLiteral("-c"), QStringLiteral("exec \"$(printf '%s/Vantr\\351l' \"$1\")/vantrel-viewer\" \"$2\""),
           QStringLiteral("sh"), home.native(), platform::fs::toNative(package)},
          QString(), QStringLiteral("/bin/sh"));
    // Every message box is also written to standard error; the box waits for its Ok, which
    // the signal gives.
    const QString said = QFile::decodeName(folder) + QStringLiteral(" cannot be opened: its name is not UTF-8 text");
    QString output;
    ASSERT_TRUE(waitFor(viewer, [&] {
        output += QString::fromUtf8(viewer.readAll());
        return output.contains(said);
    })) << output.toStdString();
    ASSERT_EQ(::kill(static_cast<pid_t>(viewer.processId()), SIGTERM), 0);
    ASSERT_TRUE(viewer.waitForFinished(20000));
    output += QString::fromUtf8(viewer.readAll());

    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(viewer.exitCode(), 0) << output.toStdString();
    EXPECT_EQ(output.count(said), 1) << output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.nativePath(QStringLiteral("data/Vantrel Countdown Clock"))));
    EXPECT_FALSE(QFileInfo::exists(exportPath));
}

// The X window of the viewer's countdown window; empty when none is shown.
QString viewerWindow(const OwnXServer& x)
{
    return x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                      QStringLiteral("^Vantrel Countdown Clock$")})
        .section(QLatin1Char('\n'), 0, 0);
}

// Makes the viewer's window 200 pixels wider, as a window manager would; its new width, or 0
// when it has no window or the width did not take. `shownWidth` gets the width before.
int widenFromOutside(const OwnXServer& x, QProcess& viewer, int* shownWidth)
{
    const QString id = viewerWindow(x);
    if (id.isEmpty())
        return 0;
    const auto widthOnScreen = [&] {
        const QString geometry = x.xdotool({QStringLiteral("getwindowgeometry"), id});
        return geometry.section(QStringLiteral("Geometry: "), 1).section(QLatin1Char('x'), 0, 0).toInt();
    };
    *shownWidth = widthOnScreen();
    if (*shownWidth <= 0)
        return 0;
    const int newWidth = *shownWidth + 200;
    x.xdotool({QStringLiteral("windowsize"), id, QString::number(newWidth), QStringLiteral("300")});
    return waitFor(viewer, [&] { return widthOnScreen() == newWidth; }) ? newWidth : 0;
}

TEST_F(ViewerProcess, SigtermOrSighupOverAMessageBoxSavesTheResizedWindow)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    OwnXServer x(false);
    if (x.display.isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    for (const int signalNumber : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber == SIGTERM ? "SIGTERM" : "SIGHUP");
        QFile::remove(exportPath);
        QDir(exportPath).removeRecursively();
        const QString package = makePackage(QStringLiteral("Launch"));
        const double packedWidth = packedCountdown(package)->Width();
        start({platform::fs::toNative(package)}, x.display);
        ASSERT_TRUE(waitFor(viewer, [this] { return exportLines().size() == 2; })) << viewer.readAll().toStdString();

        // Resize from outside, then make the next tick's export fail: its message box opens.
        int shownWidth = 0;
        const int newWidth = widenFromOutside(x, viewer, &shownWidth);
        ASSERT_GT(newWidth, 0);
        ASSERT_TRUE(QFile::remove(exportPath));
        ASSERT_TRUE(QDir().mkdir(exportPath));
        QByteArray output;
        ASSERT_TRUE(waitFor(viewer, [&] {
            output += viewer.readAll();
            // Every message box is also written to standard error, under the box's title.
            return output.contains("Vantrel Countdown Clock: ");
        })) << output.toStdString();

        terminateAndExpectCleanEnd(signalNumber);
        // The close ran after the box: the package holds the new width.
        EXPECT_NEAR(packedCountdown(package)->Width() / packedWidth, double(newWidth) / shownWidth, 0.02);
    }
}

TEST_F(ViewerProcess, ACountdownOfSizeZeroOpensAWindowOfANewCountdownsSize)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    OwnXServer x(false);
    if (x.display.isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    const QString package = makePackage(QStringLiteral("Nothing"), [](clsCountdown& countdown) {
        countdown.setWidth(0);
        countdown.setHeight(0);
    });
    start({platform::fs::toNative(package)}, x.display);
    ASSERT_TRUE(waitFor(viewer, [this] { return exportLines().size() == 2; })) << viewer.readAll().toStdString();

    const QString id = viewerWindow(x);
    ASSERT_FALSE(id.isEmpty()) << "no window is shown";
    // 600 by 450 pixels of the 800 by 600 reference screen, on a 1024 by 768 one.
    EXPECT_EQ(x.xdotool({QStringLiteral("getwindowgeometry"), id}).section(QStringLiteral("Geometry: "), 1),
              QStringLiteral("768x576"));
    terminateAndExpectCleanEnd();
}

// A picture and a logo whose names differ only in letter case: after a resize and the close,
// the package holds each with its own bytes.
TEST_F(ViewerProcess, PictureAndLogoNamedAlikeButForLetterCaseAreSavedWithTheirOwnBytes)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    OwnXServer x(false);
    if (x.display.isEmpty())
        GTEST_SKIP() << "Xvfb could not be started";
    const QString package = makePackage(QStringLiteral("Pics"), [](clsCountdown& countdown) {
        countdown.setImageFileName(QStringLiteral("Pic.png"));
        countdown.setAdvertiserLogoFileName(QStringLiteral("pic.PNG"));
        countdown.setAdvertiserLogoVisible(true);
    });
    const QByteArray red = plainPng(Qt::red), green = plainPng(Qt::green);
    home.write(QStringLiteral("Vantrel/Countdowns/Pics.MVL"),
               ::makePackage({"Pics.MVK", home.read(QStringLiteral("staging/Pics.MVK"))}, {"Pic.png", red}, {},
                             {"pic.PNG", green}, "Pics"));
    const double packedWidth = packedCountdown(package)->Width();
    start({platform::fs::toNative(package)}, x.display);
    ASSERT_TRUE(waitFor(viewer, [this] { return exportLines().size() == 2; })) << viewer.readAll().toStdString();

    int shownWidth = 0;
    ASSERT_GT(widenFromOutside(x, viewer, &shownWidth), 0);
    terminateAndExpectCleanEnd();

    const QByteArray saved = home.read(QStringLiteral("Vantrel/Countdowns/Pics.MVL"));
    EXPECT_NE(saved.indexOf("Pic.png" + red), -1);
    EXPECT_NE(saved.indexOf("pic.PNG" + green), -1);
    EXPECT_GT(packedCountdown(package)->Width(), packedWidth); // the close did save
}

} // namespace
