#include "countdown/ApplicationFolder.h"
#include "countdown/QStringPrinting.h"
#include "countdown/clsCountdown.h"
#include "display/ElasticPanel.h"
#include "display/ProgramEnd.h"
#include "display/ProgramFolder.h"
#include "foundation/OleDate.h"
#include "foundation/ProgramTexts.h"
#include "foundation/clsStringUtilities.h"
#include "support/PackageBuilder.h"
#include "support/WaitUntil.h"
#include "saver/frmCountdownScreenSaver.h"
#include "saver/frmPreview.h"
#include "saver/modVantrelnScreenSaver.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

#include <gtest/gtest.h>

#include <cmath>

namespace ss = modVantrelnScreenSaver;

namespace {

const QString kApp = ProgramTexts::kSettingsApplication;
const QString kSection = ProgramTexts::kSettingsSection;

// Main settles the program folder in the context; appPath is the one the test expects.
class ScreenSaverStart : public ProgramFolderTest<SaverContext> {
protected:
    void SetUp() override
    {
        appPath = folder.internal();
    }

    void storeAppPath() { storeAppPath(appPath); }
    void storeAppPath(const QString& path) { services.settings().put(kApp, kSection, ProgramTexts::kAppPathKey, path); }
    void storeTemplate(const QString& path) { services.settings().put(kApp, kSection, ProgramTexts::kLastOpenTemplateKey, path); }
    QString demoPackage() const { return appPath + "/Templates/Demo.MVL"; }
    int demoMessages()
    {
        int count = 0;
        for (const auto& box : services.ui().msgBoxes)
            if (box.prompt == ss::kDemoMessage) {
                EXPECT_EQ(box.buttons, platform::vbmsg::vbInformation);
                ++count;
            }
        return count;
    }

    QString appPath;
};

// ---- settings and demo mode ------------------------------------------------------------------

TEST_F(ScreenSaverStart, DemoMessageShowsOnceForTheDemoPackageWhateverTheSwitch)
{
    enum class Stored { Missing, Empty, Demo, DemoOtherCase, DemoOtherSlash, Other };
    struct Case {
        Stored stored;
        const char* commandLine;
        int expectedMessages;
    } const cases[] = {
        {Stored::Missing, "/a", 1},      {Stored::Empty, "/a", 1},
        {Stored::Demo, "/a", 1},         {Stored::Missing, "/p 4711", 1},
        {Stored::Missing, "/c", 1},      {Stored::DemoOtherCase, "/a", 0},
        {Stored::DemoOtherSlash, "/a", 0}, {Stored::Other, "/a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine + std::string(" stored ") + std::to_string(static_cast<int>(c.stored)));
        services.settings().values.clear();
        services.ui().msgBoxes.clear();
        ss::Reset();
        storeAppPath();
        switch (c.stored) {
        case Stored::Missing: break;
        case Stored::Empty: storeTemplate(""); break;
        case Stored::Demo: storeTemplate(demoPackage()); break;
        case Stored::DemoOtherCase: storeTemplate(appPath + "/templates/Demo.MVL"); break;
        case Stored::DemoOtherSlash: storeTemplate(appPath + "\\Templates\\Demo.MVL"); break;
        case Stored::Other: storeTemplate(appPath + "\\Party.MVL"); break;
        }
        ss::Main(c.commandLine);
        EXPECT_EQ(demoMessages(), c.expectedMessages);
        EXPECT_EQ(ss::AppPath(), appPath);
        EXPECT_EQ(ss::CountdownPath(), c.stored == Stored::Missing || c.stored == Stored::Empty
                                         ? demoPackage()
                                         : services.settings().get(kApp, kSection, ProgramTexts::kLastOpenTemplateKey));
    }
}

TEST_F(ScreenSaverStart, WithoutAStoredProgramFolderTheShippedDemoOfTheSettledFolderRuns)
{
    // The program folder the viewer would settle: here a copy of the shipped files.
    folder.makeFolder("Templates");
    ASSERT_TRUE(QFile::copy(VANTREL_BIN_DIR "/Templates/Demo.MVL", folder.nativePath("Templates/Demo.MVL")));
    context.programFolder = [this] { return appPath; };
    for (const bool storedEmpty : {false, true}) {
        SCOPED_TRACE(storedEmpty ? "stored empty" : "missing");
        // A viewer that never ran has made no work folder either.
        ASSERT_TRUE(QDir(folder.nativePath("Temp")).removeRecursively());
        ss::Reset();
        ProgramEnd::reset();
        services.settings().values.clear();
        services.ui().msgBoxes.clear();
        if (storedEmpty)
            storeAppPath(QString());
        ss::Main("/s");
        EXPECT_EQ(ss::AppPath(), appPath);
        EXPECT_EQ(ProgramFolder::AppPath(), appPath);
        EXPECT_EQ(ss::CountdownPath(), demoPackage());
        EXPECT_EQ(demoMessages(), 1);
        EXPECT_FALSE(services.ui().prompts().contains(ss::kCannotLocateMessage));
        EXPECT_FALSE(ProgramEnd::isEnding());
        ASSERT_FALSE(ss::ScreenSaverWindow().isNull());
        EXPECT_TRUE(QFile::exists(folder.nativePath("Temp/Demo.MVK")));
        EXPECT_EQ(ss::ScreenSaverWindow()->c1eEventCaption()->Caption(), "New Year 2030");
        // Nothing is written: the stored settings stay as they were.
        EXPECT_EQ(services.settings().values.isEmpty(), !storedEmpty);
    }
}

TEST_F(ScreenSaverStart, WithoutAStoredProgramFolderTheViewersWayOfSettlingItIsUsed)
{
    ss::Main("/a");
    EXPECT_EQ(ss::AppPath(), countdownApplicationFolder());
    EXPECT_EQ(ss::CountdownPath(), countdownApplicationFolder() + "/Templates/Demo.MVL");
}

TEST_F(ScreenSaverStart, AWorkFolderThatCannotBeMadeIsReportedOnceAndEndsTheRun)
{
    // A file where the work folder should be.
    ASSERT_TRUE(QDir(folder.nativePath("Temp")).removeRecursively());
    folder.write("Temp", "not a folder");
    folder.write("Party.MVL", "package");
    storeAppPath();
    storeTemplate(folder.internalPath("Party.MVL"));

    ss::Main("/s");

    // One message, where it failed, naming the folder; no window and nothing unpacked.
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt,
              "75\r\nPath/File access error\r\n" + folder.nativePath("Temp"));
    EXPECT_TRUE(ProgramEnd::isEnding());
    EXPECT_EQ(ProgramEnd::exitCode(), 1);
    EXPECT_TRUE(ss::ScreenSaverWindow().isNull());
    EXPECT_EQ(folder.read("Temp"), "not a folder");
}

TEST_F(ScreenSaverStart, AStoredInstalledProgramFolderGivesWayToTheSettledOne)
{
    // An earlier version stored the installed copy itself, where the superuser could write.
    folder.write(ApplicationFolder::kInstalledMarkName, "mark");
    storeAppPath();
    TempFolder user;
    context.programFolder = [&user] { return user.internal(); };
    ss::Main("/a");
    EXPECT_EQ(ss::AppPath(), user.internal());
    EXPECT_EQ(ProgramFolder::WorkFolder(), user.internal() + "\\Temp");
}

// A countdown data file `name` with `caption` in `location`.
void writeCountdown(const QString& location, const QString& name, const QString& caption)
{
    clsCountdown countdown;
    countdown.setDatabaseLocation(location);
    countdown.setCountdownFileName(name);
    countdown.setEventCaption(caption);
    countdown.setEventDate(std::floor(vb::now()) + 10);
    ASSERT_TRUE(countdown.Update());
}

QString captionIn(const QString& location, const QString& name)
{
    clsCountdown countdown;
    countdown.setDatabaseLocation(location);
    countdown.setCountdownFileName(name);
    countdown.Refresh();
    return countdown.EventCaption();
}

TEST_F(ScreenSaverStart, TheWindowShowsTheWorkFoldersCountdownOrElseThePackageUnpackedFirst)
{
    const QString stage = folder.makeFolder("stage");
    writeCountdown(stage, "Party.MVK", "Party");
    PackageBuilder().dataFrom(stage, "Party.MVK").writeTo(folder.internalPath("Party.MVL"));
    struct Case {
        const char* earlier; // the caption the work folder holds; none when null
        const char* shown;
    } const cases[] = {{"Earlier", "Earlier"}, {nullptr, "Party"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        ss::Reset();
        ProgramEnd::reset();
        QFile::remove(folder.nativePath("Temp/Party.MVK"));
        if (c.earlier)
            writeCountdown(folder.internalPath("Temp"), "Party.MVK", c.earlier);
        storeAppPath();
        storeTemplate(folder.internalPath("Party.MVL"));
        ss::Main("/s");
        ASSERT_FALSE(ss::ScreenSaverWindow().isNull());
        EXPECT_EQ(ss::ScreenSaverWindow()->c1eEventCaption()->Caption(), c.shown);
        // Either way the work folder ends holding the package's countdown, for the next start.
        EXPECT_EQ(captionIn(folder.internalPath("Temp"), "Party.MVK"), "Party");
    }
}

// ---- the command line ------------------------------------------------------------------------

TEST(ScreenSaverCommandLine, SwitchIsTheFirstTwoCharactersOfTheTrimmedLowerCasedLine)
{
    struct Case {
        const char* line;
        const char* expected;
    } const cases[] = {
        {"/S", "/s"},      {" /s ", "/s"},      {"/scr", "/s"}, {"/p 4711", "/p"}, {"/p:4711", "/p"},
        {"/p", "/p"},      {"/c", "/c"},        {"/C:1234", "/c"}, {"/a", "/a"},   {"", ""},
        {"   ", ""},       {"x", "x"},
        // Only blanks are trimmed: a tab stays part of the switch.
        {"\t/s", "\t/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ss::SwitchOf(c.line), c.expected) << c.line;
}

TEST(ScreenSaverCommandLine, PreviewParentIsTheLongestNumericTail)
{
    struct Case {
        const char* line;
        int32_t expected;
    } const cases[] = {
        {"/p 4711", 4711},     {"/p:4711", 4711},      {"/P  4711  ", 4711}, {"/p", 0},
        {"/p:", 0},            {"/p 12.5", 12},        {"/p 13.5", 14},      {"/p 2097153", 2097153},
        {"/p -7", -7},         {"/p 1e3", 1000},       {"/p abc", 0},        {"/p 4711x", 0},
        {"/p 2147483647", 2147483647},
        // Past 32 bits no window is meant: no parent rather than an overflow.
        {"/p 99999999999", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ss::PreviewParentOf(c.line), c.expected) << c.line;
}

TEST_F(ScreenSaverStart, EachSwitchTakesItsAction)
{
    enum class Action { FullScreen, Preview, Configure, Nothing };
    struct Case {
        const char* line;
        Action action;
    } const cases[] = {
        {"", Action::FullScreen},         {"/s", Action::FullScreen},      {"/S", Action::FullScreen},
        {" /s ", Action::FullScreen},     {"/scr", Action::FullScreen},    {"/p 4711", Action::Preview},
        {"/p:4711", Action::Preview},     {"/c", Action::Configure},       {"/c:99", Action::Configure},
        {"/a", Action::Nothing},          {"/x", Action::Nothing},         {"-s", Action::Nothing},
    };
    services.windows().foreignWindows[4711] = QSize(152, 112);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ss::Reset();
        ProgramEnd::reset();
        services.ui().msgBoxes.clear();
        services.windows().embedCalls.clear();
        storeAppPath();
        storeTemplate(appPath + "\\Missing.MVL");
        ss::Main(c.line);
        const QStringList prompts = services.ui().prompts();
        // A full-screen run without its package shows the window, reports it and ends.
        EXPECT_EQ(prompts.contains(ss::kCannotLocateMessage), c.action == Action::FullScreen);
        EXPECT_EQ(services.windows().embedCalls.size(), c.action == Action::Preview ? 1u : 0u);
        EXPECT_EQ(prompts.contains(ss::kConfigureMessage), c.action == Action::Configure);
        EXPECT_EQ(ss::PreviewWindow().isNull(), c.action != Action::Preview);
        if (c.action == Action::Nothing || c.action == Action::Configure) {
            EXPECT_FALSE(ss::HasWindow());
            EXPECT_FALSE(ProgramEnd::isEnding());
        }
    }
}

// ---- configure -------------------------------------------------------------------------------

TEST_F(ScreenSaverStart, ConfigureStartsTheMainProgramOfTheProgramFolder)
{
    storeAppPath();
    storeTemplate(appPath + "\\Party.MVL");
    folder.write("Vantrel50.exe", "#!/bin/sh\n");
    ss::Main("/c");
    // Started as a program of its own in the program folder, not handed to a file opener.
    EXPECT_TRUE(services.shell().documents.isEmpty());
    ASSERT_EQ(services.shell().programs.size(), 1u);
    EXPECT_EQ(services.shell().programs[0].program, appPath + "\\Vantrel50.exe");
    EXPECT_TRUE(services.shell().programs[0].args.isEmpty());
    EXPECT_EQ(services.shell().programs[0].workingFolder, appPath);
    EXPECT_TRUE(services.ui().msgBoxes.empty());
    EXPECT_FALSE(ss::HasWindow());
}

TEST_F(ScreenSaverStart, ConfigureTellsWhyTheMainProgramDidNotStart)
{
    storeAppPath();
    storeTemplate(appPath + "\\Party.MVL");
    folder.write("Vantrel50.exe", "not a program");
    services.shell().succeed = false;
    const QString failure = "The program " + folder.nativePath("Vantrel50.exe") + " could not be started: Permission denied";
    services.shell().failure = failure;
    ss::Main("/c");
    // The shell's reason, which names the program, once; nothing said twice.
    EXPECT_EQ(services.ui().prompts(), QStringList{failure});
    EXPECT_FALSE(ss::HasWindow());
}

TEST_F(ScreenSaverStart, ConfigureWithoutTheMainProgramOnlyTellsTheUser)
{
    storeAppPath();
    storeTemplate(appPath + "\\Party.MVL");
    ss::Main("/c");
    EXPECT_TRUE(services.shell().documents.isEmpty());
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, ss::kConfigureMessage);
    EXPECT_EQ(services.ui().msgBoxes[0].buttons, platform::vbmsg::vbOKOnly);
}

// ---- preview ---------------------------------------------------------------------------------

TEST_F(ScreenSaverStart, PreviewFillsTheClientAreaOfItsParentWithoutTakingTheFocus)
{
    storeAppPath();
    storeTemplate(appPath + "\\Party.MVL");
    services.windows().foreignWindows[4711] = QSize(152, 112);
    ss::Main("/p 4711");
    ASSERT_FALSE(ss::PreviewWindow().isNull());
    frmPreview& preview = *ss::PreviewWindow();
    EXPECT_EQ(ss::PreviewParent(), 4711);
    ASSERT_EQ(services.windows().embedCalls.size(), 1u);
    EXPECT_EQ(services.windows().embedCalls[0].first, &preview);
    EXPECT_EQ(services.windows().embedCalls[0].second, 4711u);
    EXPECT_EQ(preview.windowTitle(), "Preview");
    EXPECT_EQ(preview.size(), QSize(152, 112));
    EXPECT_TRUE(preview.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(frmPreview::PreviewPicture().size(), QSize(166, 130));
    EXPECT_FALSE(ss::ScreenSaverWindow());
}

TEST_F(ScreenSaverStart, PreviewWithoutAKnownParentShowsNothing)
{
    storeAppPath();
    storeTemplate(appPath + "\\Party.MVL");
    services.windows().foreignWindows[4711] = QSize(152, 112);
    for (const char* line : {"/p", "/p 0", "/p 815"}) {
        SCOPED_TRACE(line);
        ss::Main(line);
        EXPECT_FALSE(ss::HasWindow());
        EXPECT_TRUE(services.windows().embedCalls.empty());
        EXPECT_TRUE(services.ui().msgBoxes.empty());
    }
}

TEST_F(ScreenSaverStart, PreviewEndsWhenItsParentGoesAway)
{
    storeAppPath();
    storeTemplate(appPath + "\\Party.MVL");
    services.windows().foreignWindows[4711] = QSize(152, 112);
    ss::Main("/p 4711");
    ASSERT_TRUE(ss::HasWindow());
    runEvents(400);
    EXPECT_FALSE(ProgramEnd::isEnding());

    services.windows().foreignWindows.remove(4711);
    EXPECT_TRUE(waitUntil([] { return ProgramEnd::isEnding(); }, 2000));
}

// ---- one full-screen instance ----------------------------------------------------------------

TEST_F(ScreenSaverStart, ASecondFullScreenRunEndsUnlessDisplayPropertiesIsOpen)
{
    struct Case {
        const char* line;
        quintptr displayProperties;
        bool runs;
    } const cases[] = {
        {"/s", 0, false},
        {"/S", 0, false},
        {"/s", 0x1234, true},
        {"", 0, true},
        {"/p 4711", 0, true},
    };
    services.windows().foreignWindows[4711] = QSize(152, 112);
    // Another instance holds the lock.
    QLockFile other(ss::InstanceLockPath());
    ASSERT_TRUE(other.tryLock(0)) << ss::InstanceLockPath().toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line + std::string(" dialog ") + std::to_string(c.displayProperties));
        ss::Reset();
        ProgramEnd::reset();
        services.windows().findCalls.clear();
        services.windows().foundWindow = c.displayProperties;
        storeAppPath();
        storeTemplate(appPath + "\\Missing.MVL");
        ss::Main(c.line);
        // A running full-screen instance ends through its missing package; a refused one never
        // loads its window.
        EXPECT_EQ(ss::HasWindow() || ProgramEnd::isEnding(), c.runs);
        if (QString(c.line).startsWith("/s", Qt::CaseInsensitive)) {
            ASSERT_EQ(services.windows().findCalls.size(), 1u);
            EXPECT_EQ(services.windows().findCalls[0].second, "Display Properties");
        }
    }
}

} // namespace
