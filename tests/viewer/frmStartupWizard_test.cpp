#include "viewer/frmStartupWizard.h"

#include "display/ProgramEnd.h"
#include "foundation/ProgramTexts.h"
#include "foundation/clsHelp.h"
#include "support/TestServices.h"
#include "viewer/modVantrelViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace modVantrelViewer;

// Runs `whileOpen` once the next modal window is up.
void whenModalOpens(std::function<void(QWidget*)> whileOpen)
{
    QTimer::singleShot(0, [whileOpen] { whileOpen(QApplication::activeModalWidget()); });
}

// ProgramEnd::End stops every event loop for good; a short application loop starts them again.
void forgetProgramEnd()
{
    ProgramEnd::reset();
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

class StartupWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.appPath = folder.makeFolder("app");
        context.currentFile = folder.write("Countdowns\\Party Night.MVL", "package");
        folder.makeFolder("app\\Temp");
    }
    QString stored()
    {
        return services.settings().get(ProgramTexts::kViewerApplication, ProgramTexts::kOptionsSection,
                                       ProgramTexts::kShowStartupWizardKey, "missing");
    }
    QCheckBox* checkBox(frmStartupWizard& wizard)
    {
        return wizard.findChild<QCheckBox*>("chkLoadTipsAtStartup");
    }

    TestServices services;
    ViewerContext context;
    TempFolder folder;
};

TEST_F(StartupWizardTest, ControlsCarryTheirNamesCaptionsAndToolTips)
{
    frmStartupWizard wizard;
    EXPECT_EQ(wizard.windowTitle(), "Startup Wizard");
    EXPECT_EQ(wizard.findChild<QLabel*>("Label1")->text(), "The Countdown is:");
    EXPECT_EQ(checkBox(wizard)->text(), "&Don't show this form at startup");
    struct Case {
        const char* name;
        int index;
        const char* caption;
        const char* toolTip;
    };
    const Case cases[] = {
        {"Command2", 0, "&Send Shortcut to Desktop", "Send Icon to Desktop"},
        {"Command2", 1, "&Launch at Startup", "Start Countdown when Windows Starts Up"},
        {"Command2", 2, "&About Form", "Show the About form"},
        {"Command2", 3, "&Vantrel Help", "Open Vantrel Help System"},
        {"Command1", 0, "&Close", "Close this form"},
        {"Command1", 1, "&Shutdown", "Shutdown this program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.index));
        QPushButton* element = wizard.button(c.name, c.index);
        ASSERT_NE(element, nullptr);
        EXPECT_EQ(element->text(), c.caption);
        EXPECT_EQ(element->toolTip(), c.toolTip);
    }
    EXPECT_EQ(wizard.button("Command2", 4), nullptr);
    EXPECT_EQ(wizard.button("Command1", 2), nullptr);
}

TEST_F(StartupWizardTest, LoadShowsVersionAndPackageTitle)
{
    frmStartupWizard wizard;
    EXPECT_EQ(wizard.findChild<QLabel*>("lblSoftwareName")->text(),
              QString("Version %1.%2.%3").arg(VANTREL_VERSION_MAJOR).arg(VANTREL_VERSION_MINOR).arg(VANTREL_VERSION_PATCH));
    EXPECT_EQ(wizard.findChild<QLabel*>("lblCountdownName")->text(), "Party Night");
}

TEST_F(StartupWizardTest, CheckBoxFollowsAndStoresTheSetting)
{
    struct Case {
        const char* before; // nullptr: no setting
        bool ticked;
        const char* storedAfterLoad;
    };
    const Case cases[] = {
        {nullptr, true, "1"},
        {"1", true, "1"},
        {"0", false, "0"},
        {"not a number", true, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before ? c.before : "(none)");
        services.settings().remove(ProgramTexts::kViewerApplication, ProgramTexts::kOptionsSection);
        if (c.before)
            services.settings().put(ProgramTexts::kViewerApplication, ProgramTexts::kOptionsSection,
                                    ProgramTexts::kShowStartupWizardKey, c.before);
        frmStartupWizard wizard;
        EXPECT_EQ(checkBox(wizard)->isChecked(), c.ticked);
        EXPECT_EQ(stored(), c.storedAfterLoad);

        checkBox(wizard)->click();
        EXPECT_EQ(stored(), c.ticked ? "0" : "1");
        checkBox(wizard)->click();
        EXPECT_EQ(stored(), c.ticked ? "1" : "0");
    }
}

TEST_F(StartupWizardTest, ShortcutButtonsWriteLaunchersForThePackage)
{
    services.shell().folders[0] = folder.makeFolder("Desktop");
    services.shell().folders[7] = folder.makeFolder("autostart");
    folder.write("app\\vantrel-viewer.png", "icon");
    frmStartupWizard wizard;
    const struct {
        int index;
        const char* launcher;
    } cases[] = {{0, "Desktop/Party Night.desktop"}, {1, "autostart/Party Night.desktop"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        wizard.button("Command2", c.index)->click();
        const QString text = QString::fromUtf8(folder.read(c.launcher));
        EXPECT_TRUE(text.contains("Exec=" + folder.nativePath("app/vantrel-viewer") + " \"" +
                                  folder.nativePath("Countdowns/Party Night.MVL") + "\"\n"))
            << text.toStdString();
        EXPECT_TRUE(text.contains("Path=" + folder.nativePath("app"))) << text.toStdString();
        // The icon shipped beside the viewer, never the executable, which no desktop can show.
        EXPECT_TRUE(text.contains("Icon=" + folder.nativePath("app/vantrel-viewer.png") + "\n")) << text.toStdString();
    }
    // A viewer started from outside the program folder (a read-only installation with a
    // per-user program folder) is the program the launcher starts.
    context.viewerProgram = folder.internalPath("opt\\vantrel\\vantrel-viewer");
    folder.write("opt\\vantrel\\vantrel-viewer.png", "icon");
    wizard.button("Command2", 0)->click();
    const QString installed = QString::fromUtf8(folder.read("Desktop/Party Night.desktop"));
    EXPECT_TRUE(installed.contains("Exec=" + folder.nativePath("opt/vantrel/vantrel-viewer") + " \""));
    EXPECT_TRUE(installed.contains("Icon=" + folder.nativePath("opt/vantrel/vantrel-viewer.png") + "\n"))
        << installed.toStdString();
    services.shell().launchers.pop_back();
    ASSERT_EQ(services.shell().launchers.size(), 2u);
    EXPECT_EQ(services.shell().launchers[0].linkPath, folder.internalPath("Desktop\\Party Night.lnk"));
    EXPECT_EQ(services.shell().launchers[1].linkPath, folder.internalPath("autostart\\Party Night.lnk"));
    EXPECT_EQ(services.shell().launchers[0].showCommand, 5);
    EXPECT_TRUE(services.ui().msgBoxes.empty());

    // The desktop reads the quoted path back as one argument.
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess validate;
    validate.start(validator, {folder.nativePath("Desktop/Party Night.desktop")});
    ASSERT_TRUE(validate.waitForFinished());
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
}

TEST_F(StartupWizardTest, LauncherFallsBackToTheProgramFolderIconOrNamesNone)
{
    services.shell().folders[0] = folder.makeFolder("Desktop");
    context.viewerProgram = folder.internalPath("opt\\vantrel-viewer");
    frmStartupWizard wizard;

    wizard.button("Command2", 0)->click();
    EXPECT_FALSE(QString::fromUtf8(folder.read("Desktop/Party Night.desktop")).contains("Icon="));

    folder.write("app\\vantrel-viewer.png", "icon");
    wizard.button("Command2", 0)->click();
    EXPECT_TRUE(QString::fromUtf8(folder.read("Desktop/Party Night.desktop"))
                    .contains("Icon=" + folder.nativePath("app/vantrel-viewer.png") + "\n"));
}

TEST_F(StartupWizardTest, MissingShortcutFolderDoesNothing)
{
    services.shell().folders[7] = folder.internalPath("not made");
    frmStartupWizard wizard;
    wizard.button("Command2", 0)->click();
    wizard.button("Command2", 1)->click();
    EXPECT_TRUE(services.shell().launchers.empty());
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(StartupWizardTest, HelpOpensTheHelpFileOrSaysItIsMissing)
{
    frmStartupWizard wizard;
    wizard.button("Command2", 3)->click();
    EXPECT_TRUE(services.help().calls.empty());
    EXPECT_EQ(services.ui().prompts(), QStringList{clsHelp::kMissingMessage});

    folder.write("app/MVL.chm", "help");
    wizard.button("Command2", 3)->click();
    ASSERT_EQ(services.help().calls.size(), 1u);
    EXPECT_EQ(services.help().calls[0].first, AppPath() + "/MVL.chm");
}

TEST_F(StartupWizardTest, AboutButtonShowsTheAboutBoxModally)
{
    frmStartupWizard wizard;
    QString shown;
    whenModalOpens([&shown](QWidget* modal) {
        if (modal) {
            shown = modal->objectName();
            modal->close();
        }
    });
    wizard.button("Command2", 2)->click();
    EXPECT_EQ(shown, "frmAbout");
}

TEST_F(StartupWizardTest, CloseReturnsToTheCallerAndShutdownEndsTheProgram)
{
    struct Case {
        int index;
        bool ends;
    };
    for (const Case c : {Case{0, false}, Case{1, true}}) {
        SCOPED_TRACE(c.index);
        bool wasOpen = false;
        whenModalOpens([&wasOpen, c](QWidget* modal) {
            auto* wizard = qobject_cast<frmStartupWizard*>(modal);
            wasOpen = wizard != nullptr;
            if (wizard)
                wizard->button("Command1", c.index)->click();
        });
        frmStartupWizard::ShowModal();
        EXPECT_TRUE(wasOpen);
        EXPECT_EQ(ProgramEnd::isEnding(), c.ends);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        forgetProgramEnd();
    }
}

} // namespace
