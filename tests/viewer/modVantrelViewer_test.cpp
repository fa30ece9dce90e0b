#include "viewer/modVantrelViewer.h"

#include "countdown/QStringPrinting.h"
#include "display/ProgramEnd.h"
#include "display/ProgramFolder.h"
#include "foundation/ProgramTexts.h"
#include "foundation/clsForm.h"
#include "platform/FileSystem.h"
#include "support/PackageBuilder.h"
#include "support/RawEntries.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace viewer = modVantrelViewer;
using platform::vbmsg::vbExclamation;
using platform::vbmsg::vbOKOnly;

const QString kMaker = ProgramTexts::kSettingsApplication;
const QString kMakerSection = ProgramTexts::kSettingsSection;
const QString kCannotLocate = ProgramTexts::kCannotLocateCountdown;

// Remembers which keys were read, so a test can tell that a setting was never looked at.
class RecordingSettings : public platform::MemorySettingsStore {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& defaultValue = {}) override
    {
        reads << key;
        return MemorySettingsStore::get(app, section, key, defaultValue);
    }
    QStringList reads;
};

// Main on a temporary program folder, with the wizard and the window replaced by recorders.
class ViewerMain : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Services installed = platform::services();
        installed.settings = &settings;
        platform::setServices(installed);
        programFolder = folder.internal();
        context.programFolder = [this] { return programFolder; };
        context.showStartupWizard = [this] {
            wizardSawCurrentFile.push_back(viewer::CurrentFile());
            if (wizardEndsProgram)
                ProgramEnd::End();
        };
        context.showViewerWindow = [this] { windowSawCurrentFile.push_back(viewer::CurrentFile()); };
    }
    // A package under the program folder whose data member holds `marker`, so the test can
    // tell which package reached the work folder.
    QString makePackage(const QString& name, const QByteArray& marker)
    {
        const QString staging = staged.makeFolder(name + QStringLiteral(".staging"));
        staged.write(name + QStringLiteral(".staging/Countdown.MVK"), marker);
        const QString package = folder.internalPath(name);
        folder.makeFolder(platform::fs::toNative(name).section(QLatin1Char('/'), 0, -2));
        PackageBuilder().dataFrom(staging, QStringLiteral("Countdown.MVK")).writeTo(package);
        return package;
    }
    // The data member now in the work folder, or nothing when no package was unpacked.
    std::optional<QByteArray> unpackedMarker() const
    {
        const QString member = folder.nativePath(QStringLiteral("Temp/Countdown.MVK"));
        if (!QFile::exists(member))
            return std::nullopt;
        return folder.read(QStringLiteral("Temp/Countdown.MVK"));
    }

    TestServices services;
    // The viewer's one context for this test, with Main's seams in it.
    ViewerContext context;
    RecordingSettings settings;
    TempFolder folder;
    TempFolder staged;
    QString programFolder;
    std::vector<QString> wizardSawCurrentFile;
    std::vector<QString> windowSawCurrentFile;
    bool wizardEndsProgram = false;
};

TEST_F(ViewerMain, CommandLineNamesThePackageWithQuotesRemovedOnlyWhenItStartsWithOne)
{
    const QString plain = makePackage(QStringLiteral("Countdowns/Party Night.MVL"), "plain");
    ASSERT_TRUE(services.ui().msgBoxes.empty());
    // A quote cannot stand in a file name, so inner quotes that stay name no file.
    const QString quoted = folder.internalPath(QStringLiteral("Countdowns\\Party \"Night\".MVL"));
    const QString countdowns = folder.internalPath(QStringLiteral("Countdowns"));
    struct Case {
        QString commandLine;
        QString opened; // empty: nothing unpacked
        QByteArray marker;
    };
    const Case cases[] = {
        {plain, plain, "plain"},
        {QLatin1Char('"') + plain + QLatin1Char('"'), plain, "plain"},
        // Every quote goes, not only the outer pair.
        {QLatin1Char('"') + quoted + QLatin1Char('"'), plain, "plain"},
        {QStringLiteral("\"\"") + plain, plain, "plain"},
        // The shell's native form enters the program in the internal one.
        {platform::fs::toNative(plain), plain, "plain"},
        {QLatin1Char('"') + platform::fs::toNative(plain) + QLatin1Char('"'), plain, "plain"},
        // Not starting with a quote: used as it stands, inner quotes included.
        {quoted, QString(), {}},
        {plain + QLatin1Char('"'), QString(), {}},
        // Nothing is trimmed, so a trailing or leading blank names no file.
        {plain + QLatin1Char(' '), QString(), {}},
        {QLatin1Char(' ') + plain, QString(), {}},
        {countdowns + QStringLiteral("\\Missing.MVL"), QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        QDir(folder.nativePath(QStringLiteral("Temp"))).removeRecursively();
        viewer::CurrentFile().clear();
        viewer::OpenedFile().clear();
        windowSawCurrentFile.clear();

        viewer::Main(c.commandLine);

        EXPECT_EQ(viewer::OpenedFile(), c.opened);
        EXPECT_EQ(viewer::CurrentFile(), c.opened);
        EXPECT_EQ(unpackedMarker().value_or(QByteArray()), c.marker);
        ASSERT_EQ(windowSawCurrentFile.size(), 1u);
        EXPECT_EQ(windowSawCurrentFile.front(), c.opened);
        EXPECT_TRUE(services.ui().msgBoxes.empty());
        EXPECT_TRUE(wizardSawCurrentFile.empty());
        EXPECT_FALSE(ProgramEnd::isEnding());
    }
}

TEST_F(ViewerMain, RelativeCommandLineIsMadeWholeAgainstTheStartFolder)
{
    const QString party = makePackage(QStringLiteral("Countdowns/Party.MVL"), "party");
    settings.put(viewer::kViewerApplication, viewer::kOptionsSection, viewer::kShowStartupWizardKey, QStringLiteral("0"));
    const QString startFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.nativePath(QStringLiteral("Countdowns"))));
    const QString relative[] = {
        QStringLiteral("Party.MVL"),
        QStringLiteral("\"Party.MVL\""),
        QStringLiteral("./Party.MVL"),
        QStringLiteral("../Countdowns/Party.MVL"),
    };
    for (const QString& commandLine : relative) {
        SCOPED_TRACE(commandLine.toStdString());
        wizardSawCurrentFile.clear();
        windowSawCurrentFile.clear();

        viewer::Main(commandLine);

        // The wizard's launchers and the window's stored setting take CurrentFile.
        EXPECT_EQ(wizardSawCurrentFile, std::vector<QString>{party});
        EXPECT_EQ(windowSawCurrentFile, std::vector<QString>{party});
        EXPECT_EQ(viewer::OpenedFile(), party);
    }
    QDir::setCurrent(startFolder);
}

TEST_F(ViewerMain, WithoutCommandLineTheDefaultPackageIsOpened)
{
    // The package lies in "Templates"; Main asks for "templates" and finds it without regard to case.
    makePackage(QStringLiteral("Templates/Default.MVL"), "default");
    viewer::Main(QString());

    const QString expected = folder.internal() + QStringLiteral("\\templates\\Default.MVL");
    EXPECT_EQ(viewer::CurrentFile(), expected);
    EXPECT_EQ(viewer::OpenedFile(), expected);
    EXPECT_EQ(unpackedMarker(), QByteArray("default"));
    EXPECT_TRUE(services.ui().openFileDialogs.empty());
    EXPECT_EQ(windowSawCurrentFile.size(), 1u);
}

TEST_F(ViewerMain, MissingDefaultPackageAsksForOneAndSkipsTheWizard)
{
    const QString chosen = makePackage(QStringLiteral("Countdowns/Chosen.MVL"), "chosen");
    settings.put(viewer::kViewerApplication, viewer::kOptionsSection, viewer::kShowStartupWizardKey, QStringLiteral("0"));
    services.ui().openFileAnswers.push_back(chosen);

    viewer::Main(QString());

    ASSERT_EQ(services.ui().openFileDialogs.size(), 1u);
    EXPECT_EQ(services.ui().openFileDialogs.front().initialFolder, folder.internal() + QStringLiteral("\\Countdowns"));
    EXPECT_EQ(viewer::CurrentFile(), chosen);
    EXPECT_EQ(viewer::OpenedFile(), chosen);
    EXPECT_EQ(unpackedMarker(), QByteArray("chosen"));
    EXPECT_TRUE(wizardSawCurrentFile.empty());
    EXPECT_EQ(windowSawCurrentFile, std::vector<QString>{chosen});
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(ViewerMain, NothingUsableChosenEndsTheProgramWithAMessage)
{
    struct Case {
        const char* name;
        std::optional<QString> answer;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt},
        {"empty name", QString()},
        {"missing file", folder.internalPath(QStringLiteral("Countdowns\\Gone.MVL"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramEnd::reset();
        services.ui().msgBoxes.clear();
        services.ui().openFileAnswers = {c.answer};

        viewer::Main(QString());

        ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
        EXPECT_EQ(services.ui().msgBoxes.front().prompt, kCannotLocate);
        EXPECT_EQ(services.ui().msgBoxes.front().buttons, vbOKOnly);
        EXPECT_TRUE(ProgramEnd::isEnding());
        EXPECT_NE(ProgramEnd::exitCode(), 0);
        EXPECT_TRUE(windowSawCurrentFile.empty());
        EXPECT_FALSE(unpackedMarker().has_value());
    }
}

TEST_F(ViewerMain, StartupWizardIsShownOnlyForASettingOfZero)
{
    const QString package = makePackage(QStringLiteral("Countdowns/Wizard.MVL"), "wizard");
    struct Case {
        std::optional<QString> setting; // nullopt: absent
        bool shown;
    };
    const Case cases[] = {
        {std::nullopt, false},
        {QStringLiteral("0"), true},
        {QStringLiteral("1"), false},
        // Not a number: read as the default, so start-up goes on without the wizard.
        {QStringLiteral("abc"), false},
        {QString(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting.value_or(QStringLiteral("<absent>")).toStdString());
        settings.remove(viewer::kViewerApplication, viewer::kOptionsSection, viewer::kShowStartupWizardKey);
        if (c.setting)
            settings.put(viewer::kViewerApplication, viewer::kOptionsSection, viewer::kShowStartupWizardKey, *c.setting);
        wizardSawCurrentFile.clear();
        windowSawCurrentFile.clear();

        viewer::Main(QLatin1Char('"') + package + QLatin1Char('"'));

        EXPECT_EQ(wizardSawCurrentFile.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(wizardSawCurrentFile.front(), package);
        }
        EXPECT_EQ(windowSawCurrentFile, std::vector<QString>{package});
        EXPECT_TRUE(services.ui().msgBoxes.empty());
    }
}

TEST_F(ViewerMain, WizardShutdownEndsTheStartBeforeTheWindow)
{
    const QString package = makePackage(QStringLiteral("Countdowns/Wizard.MVL"), "wizard");
    settings.put(viewer::kViewerApplication, viewer::kOptionsSection, viewer::kShowStartupWizardKey, QStringLiteral("0"));
    wizardEndsProgram = true;

    viewer::Main(package);

    EXPECT_EQ(wizardSawCurrentFile.size(), 1u);
    EXPECT_TRUE(windowSawCurrentFile.empty());
    EXPECT_TRUE(ProgramEnd::isEnding());
    EXPECT_EQ(ProgramEnd::exitCode(), 0);
}

TEST_F(ViewerMain, ColourDepthWarning)
{
    const QString warning = QStringLiteral("ShowScreenWarning");
    struct Case {
        const char* name;
        int depth;
        std::optional<QString> before;
        std::optional<QString> answer; // nullopt: the box's default answer
        bool asked;
        std::optional<QString> after;
    };
    const Case cases[] = {
        {"answer N", 24, std::nullopt, QStringLiteral("N"), true, QStringLiteral("n")},
        {"answer no", 16, std::nullopt, QStringLiteral("no thanks"), true, QStringLiteral("n")},
        {"default Y", 24, std::nullopt, std::nullopt, true, std::nullopt},
        {"answer maybe", 24, QStringLiteral("y"), QStringLiteral("maybe"), true, QStringLiteral("y")},
        {"cancelled", 24, std::nullopt, QString(), true, std::nullopt},
        {"declined before", 24, QStringLiteral("n"), std::nullopt, false, QStringLiteral("n")},
        // Only exactly "y" asks.
        {"upper-case Y stored", 24, QStringLiteral("Y"), std::nullopt, false, QStringLiteral("Y")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services.screen().colorDepth = c.depth;
        settings.remove(kMaker, kMakerSection, warning);
        if (c.before)
            settings.put(kMaker, kMakerSection, warning, *c.before);
        services.ui().inputBoxes.clear();
        services.ui().inputBoxAnswers.clear();
        if (c.answer)
            services.ui().inputBoxAnswers.push_back(*c.answer);
        windowSawCurrentFile.clear();

        viewer::Main(QStringLiteral("missing.MVL"));

        ASSERT_EQ(services.ui().inputBoxes.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            const auto& box = services.ui().inputBoxes.front();
            EXPECT_EQ(box.title, QStringLiteral("Warning."));
            EXPECT_EQ(box.defaultText, QStringLiteral("Y"));
            EXPECT_EQ(box.prompt,
                      QStringLiteral("Vantrel works best when your screen settings are set to 32 bit. Your current "
                                     "settings of %1 bit colors will reduce the quality of the Countdown photo.\r\n\r\n"
                                     "Would you like to see this message again? (Y or N)")
                          .arg(c.depth));
        }
        EXPECT_EQ(settings.contains(kMaker, kMakerSection, warning), c.after.has_value());
        if (c.after) {
            EXPECT_EQ(settings.get(kMaker, kMakerSection, warning), *c.after);
        }
        // Start-up goes on whatever the answer.
        EXPECT_EQ(windowSawCurrentFile.size(), 1u);
    }
}

TEST_F(ViewerMain, ThirtyTwoBitsNeverReadTheWarningSetting)
{
    for (int depth : {32, 48}) {
        services.screen().colorDepth = depth;
        settings.reads.clear();
        viewer::Main(QStringLiteral("missing.MVL"));
        EXPECT_FALSE(settings.reads.contains(QStringLiteral("ShowScreenWarning"))) << depth;
        EXPECT_TRUE(services.ui().inputBoxes.empty()) << depth;
        EXPECT_FALSE(settings.contains(kMaker, kMakerSection, QStringLiteral("ShowScreenWarning"))) << depth;
    }
}

TEST_F(ViewerMain, EveryStartRecordsTheProgramFolderAndKeepsTheHiddenWorkFolder)
{
    settings.put(kMaker, kMakerSection, ProgramTexts::kAppPathKey, QStringLiteral("C:\\Old\\Place"));
    viewer::Main(QStringLiteral("missing.MVL"));

    EXPECT_EQ(viewer::AppPath(), folder.internal());
    EXPECT_EQ(ProgramFolder::AppPath(), folder.internal());
    EXPECT_EQ(clsForm::applicationFolder(), folder.internal());
    EXPECT_EQ(viewer::ViewerProgram(), platform::fs::toInternal(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(settings.get(kMaker, kMakerSection, ProgramTexts::kAppPathKey), folder.internal());
    for (const char* sub : {"Countdowns", "Templates", "Temp"})
        EXPECT_TRUE(QFileInfo(folder.nativePath(QString::fromLatin1(sub))).isDir()) << sub;
    const QString temp = folder.internalPath(QStringLiteral("Temp"));
    if (!platform::fs::isHidden(temp))
        GTEST_SKIP() << "the temporary folder's file system keeps no extended attributes";

    // A second start finds the hidden work folder and leaves it and its contents alone.
    folder.write(QStringLiteral("Temp/kept.MVW"), "kept");
    settings.remove(kMaker, kMakerSection, ProgramTexts::kAppPathKey);
    viewer::Main(QStringLiteral("missing.MVL"));

    EXPECT_EQ(settings.get(kMaker, kMakerSection, ProgramTexts::kAppPathKey), folder.internal());
    EXPECT_TRUE(platform::fs::isHidden(temp));
    EXPECT_EQ(folder.read(QStringLiteral("Temp/kept.MVW")), QByteArray("kept"));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

// A save or an unpack killed halfway leaves its temporary file or staging folder; the next start
// clears the ones no process holds, beside the package, in Countdowns and in the work folder,
// and nothing else.
TEST_F(ViewerMain, StartClearsTheLeftoversOfKilledSavesAndUnpacksOnly)
{
    const QString package = makePackage(QStringLiteral("Elsewhere/Party.MVL"), "party");
    folder.makeFolder(QStringLiteral("Temp"));
    folder.makeFolder(QStringLiteral("Countdowns"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::fflush(nullptr);
    const pid_t writer = ::fork();
    if (writer == 0) {
        std::vector<std::unique_ptr<platform::fs::AtomicFile>> open;
        for (const char* name : {"Elsewhere/Party.MVL", "Countdowns/Party.MVL", "Temp/Party.MVK"}) {
            open.push_back(platform::fs::openAtomic(folder.internalPath(QString::fromLatin1(name))));
            platform::fs::writeBytes(*open.back(), QByteArray(1000, 'x'));
        }
        (void)::write(ready[1], "r", 1);
        ::pause();
        ::_exit(0);
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    folder.write(QStringLiteral("Temp/.unpacking-Ab12Cd/photo.png"), "half");
    const QStringList usersFiles = {"Elsewhere/Party.MVL.backup", "Countdowns/Party.MVL.a1B2c3",
                                    "Temp/.unpacking-mine/keep"};
    for (const QString& name : usersFiles)
        folder.write(name, "user's");

    viewer::Main(package);

    const auto ownLeftovers = [&](const QString& sub) {
        QStringList found;
        for (const QString& name : QDir(folder.nativePath(sub)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            if (platform::fs::isAtomicTemporaryName(name) || name == QLatin1String(".unpacking-Ab12Cd"))
                found << name;
        return found;
    };
    for (const char* sub : {"Elsewhere", "Countdowns", "Temp"})
        EXPECT_EQ(ownLeftovers(QString::fromLatin1(sub)), QStringList()) << sub;
    for (const QString& name : usersFiles)
        EXPECT_EQ(folder.read(name), "user's") << name.toStdString();
    EXPECT_EQ(unpackedMarker(), QByteArray("party"));
}

// A package from the desktop may carry any character a Linux name may hold; the one it cannot
// (the "\" that the program's own paths join folders with) is said, never taken for a missing file.
TEST_F(ViewerMain, PackageNamesTakeEveryCharacterButTheInternalSeparatorWhichIsSaid)
{
    const QString odd = QStringLiteral("Mum's \"60th\" <party> |1|.MVL");
    const QString package = makePackage(QStringLiteral("Countdowns/") + odd, "mum");
    viewer::Main(platform::fs::toNative(package));
    EXPECT_EQ(viewer::OpenedFile(), package);
    EXPECT_EQ(unpackedMarker(), QByteArray("mum"));
    EXPECT_TRUE(QFile::exists(folder.nativePath(QStringLiteral("Temp/Mum's \"60th\" <party> |1|.MVK"))));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
    EXPECT_EQ(windowSawCurrentFile.size(), 1u);

    windowSawCurrentFile.clear();
    ProgramEnd::reset();
    const QString backslashed = folder.nativePath(QStringLiteral("Countdowns")) + QStringLiteral("/a\\b.MVL");
    QFile::copy(platform::fs::toNative(package), backslashed);
    viewer::Main(backslashed);
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_TRUE(services.ui().msgBoxes.front().prompt.contains(backslashed));
    EXPECT_TRUE(ProgramEnd::isEnding());
    EXPECT_EQ(ProgramEnd::exitCode(), 1);
    EXPECT_TRUE(windowSawCurrentFile.empty());
}

TEST_F(ViewerMain, ANameThatIsNotUtf8TextIsSaidAndNothingOpensInItsPlace)
{
    makePackage(QStringLiteral("Countdowns/Fete.MVL"), "fete");
    const QByteArray packed = folder.read(QStringLiteral("Countdowns/Fete.MVL"));
    QFile::remove(folder.nativePath(QStringLiteral("Temp/Countdown.MVK")));
    const QByteArray countdowns = QFile::encodeName(folder.nativePath(QStringLiteral("Countdowns")));
    RawEntries raw;
    ASSERT_TRUE(raw.makeFile(countdowns + "/F\xeate.MVL", packed));
    ASSERT_TRUE(raw.makeFolder(countdowns + "/Caf\xe9"));
    ASSERT_TRUE(raw.makeFile(countdowns + "/Caf\xe9/Party.MVL", packed));
    // What the program is given: each byte that is not UTF-8 decoded as U+FFFD.
    const QString decodedFile = QFile::decodeName(countdowns + "/F\xeate.MVL");
    const QString decodedFolder = QFile::decodeName(countdowns + "/Caf\xe9");

    struct Case { QString commandLine; QString named; };
    const Case cases[] = {{decodedFile, decodedFile},
                          {decodedFolder + QStringLiteral("/Party.MVL"), decodedFolder},
                          {QLatin1Char('"') + decodedFile + QLatin1Char('"'), decodedFile}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        ProgramEnd::reset();
        services.ui().msgBoxes.clear();
        windowSawCurrentFile.clear();

        viewer::Main(c.commandLine);

        ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
        EXPECT_TRUE(services.ui().msgBoxes.front().prompt.contains(c.named + QStringLiteral(" cannot be opened")));
        EXPECT_TRUE(services.ui().msgBoxes.front().prompt.contains(QStringLiteral("not UTF-8 text")));
        EXPECT_EQ(ProgramEnd::exitCode(), 1);
        EXPECT_TRUE(windowSawCurrentFile.empty());
        EXPECT_EQ(unpackedMarker(), std::nullopt);
    }
}

class ShellProgram : public ::testing::Test {
protected:
    TestServices services;
    TempFolder folder;
};

TEST_F(ShellProgram, OnlyTheKnownWindowStylesStartAProgram)
{
    for (int16_t style : {0, 1, 2, 3, 4, 6}) {
        services.shell().programs.clear();
        EXPECT_NE(viewer::ShellProgram(QStringLiteral("xdg-open"), QStringList(), style), 0) << style;
        ASSERT_EQ(services.shell().programs.size(), 1u) << style;
        EXPECT_EQ(services.shell().programs.front().windowStyle, style);
    }
    services.shell().programs.clear();
    for (int16_t style : {5, 7, -1, 10}) {
        EXPECT_EQ(viewer::ShellProgram(QStringLiteral("xdg-open something"), style), 0) << style;
        EXPECT_EQ(viewer::ShellProgram(QStringLiteral("xdg-open"), QStringList(), style), 0) << style;
    }
    EXPECT_TRUE(services.shell().programs.empty());
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(ShellProgram, CommandLineSplitsAfterTheLongestExistingProgramPath)
{
    const QString program = folder.write(QStringLiteral("Vantrel 5.0.exe"), "#!/bin/sh\n");
    struct Case {
        QString commandLine;
        QString program;
        QStringList arguments;
    };
    const Case cases[] = {
        {program, program, {}},
        {program + QStringLiteral(" C:\\One.MVL"), program, {QStringLiteral("C:\\One.MVL")}},
        {program + QStringLiteral(" a  b"), program, {QStringLiteral("a"), QStringLiteral("b")}},
        // No prefix names a file: the first word is the program.
        {QStringLiteral("xdg-open C:\\One.MVL"), QStringLiteral("xdg-open"), {QStringLiteral("C:\\One.MVL")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        services.shell().programs.clear();
        viewer::ShellProgram(c.commandLine, 1);
        ASSERT_EQ(services.shell().programs.size(), 1u);
        EXPECT_EQ(services.shell().programs.front().program, c.program);
        EXPECT_EQ(services.shell().programs.front().args, c.arguments);
    }
}

TEST_F(ShellProgram, ArgumentListReachesTheProgramUntouched)
{
    const QStringList arguments{QStringLiteral("C:\\My Countdowns\\Party \"Night\".MVL")};
    EXPECT_NE(viewer::ShellProgram(QStringLiteral("C:\\Vantrel\\Vantrel 5.0.exe"), arguments, 1), 0);
    ASSERT_EQ(services.shell().programs.size(), 1u);
    EXPECT_EQ(services.shell().programs.front().program, QStringLiteral("C:\\Vantrel\\Vantrel 5.0.exe"));
    EXPECT_EQ(services.shell().programs.front().args, arguments);
}

TEST_F(ShellProgram, FailedStartIsReportedAndGivesZero)
{
    services.shell().succeed = false;
    services.shell().failure = QStringLiteral("No such file or directory");
    EXPECT_EQ(viewer::ShellProgram(QStringLiteral("nowhere --flag"), 1), 0);
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes.front().prompt, QStringLiteral("Error Shelling file.\r\nNo such file or directory"));
    EXPECT_EQ(services.ui().msgBoxes.front().buttons, vbExclamation);
    EXPECT_EQ(services.ui().msgBoxes.front().title, QStringLiteral("Error"));
}

} // namespace
