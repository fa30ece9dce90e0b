#include "foundation/ProgramTexts.h"
#include "platform/DesktopShell.h"
#include "platform/FileSystem.h"
#include "platform/Ui.h"
#include "platform/fake/FakeUi.h"
#include "support/TestServices.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(Launcher, WritesADesktopEntryInPlaceOfTheShortcut)
{
    TempFolder folder;
    platform::LauncherSpec spec;
    spec.linkPath = folder.internalPath("Vantrel Viewer.lnk");
    spec.target = folder.internalPath("bin\\vantrel-viewer");
    spec.workingFolder = folder.internalPath("bin");
    spec.arguments = "\"My Event.MVL\"";
    spec.description = "ShellLink Sample";
    QString whyNot;
    ASSERT_TRUE(platform::writeDesktopLauncher(spec, &whyNot)) << qPrintable(whyNot);
    const QString text = QString::fromUtf8(folder.read("Vantrel Viewer.desktop"));
    const QString target = folder.native() + "/bin/vantrel-viewer";
    for (const QString& line : {QString("[Desktop Entry]"), QString("Type=Application"), QString("Name=Vantrel Viewer"),
                                QString("Exec=") + target + " \"My Event.MVL\"",
                                QString("Path=") + folder.native() + "/bin", QString("Comment=ShellLink Sample")})
        EXPECT_TRUE(text.contains(line + "\n")) << qPrintable(line) << "\n" << qPrintable(text);
    EXPECT_FALSE(text.contains("Icon="));
    EXPECT_TRUE(QFileInfo(folder.nativePath("Vantrel Viewer.desktop")).isExecutable());
}

TEST(Launcher, RefusesAnEmptyLinkOrTargetAndWritesNothing)
{
    TempFolder folder;
    platform::LauncherSpec spec;
    spec.linkPath = folder.internalPath("x.lnk");
    QString whyNot;
    EXPECT_FALSE(platform::writeDesktopLauncher(spec, &whyNot));
    EXPECT_FALSE(whyNot.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder.nativePath("x.desktop")));
    spec.linkPath.clear();
    spec.target = "/bin/true";
    EXPECT_FALSE(platform::writeDesktopLauncher(spec, &whyNot));
    spec.linkPath = folder.internalPath("missing\\x.lnk");
    EXPECT_FALSE(platform::writeDesktopLauncher(spec, &whyNot));
}

TEST(DesktopShell, SpecialFoldersAndDocumentAddresses)
{
    platform::DesktopShell shell;
    const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    EXPECT_EQ(shell.specialFolder(platform::csidl::Startup), platform::fs::toInternal(config + "/autostart"));
    EXPECT_TRUE(QFileInfo(config + "/autostart").isDir());
    EXPECT_FALSE(shell.specialFolder(platform::csidl::Desktop).isEmpty());
    EXPECT_TRUE(shell.specialFolder(5000).isEmpty());
    EXPECT_EQ(platform::documentUrl("http://example.org/a").toString(), "http://example.org/a");
    EXPECT_EQ(platform::documentUrl("mailto:someone@example.org").scheme(), "mailto");
    EXPECT_EQ(platform::documentUrl("www.example.org").toString(), "http://www.example.org");
    EXPECT_EQ(platform::documentUrl("\\tmp\\x.html").toLocalFile(), "/tmp/x.html");
    QString whyNot;
    EXPECT_FALSE(shell.openDocument("\\no\\such\\file.html", &whyNot));
    EXPECT_FALSE(whyNot.isEmpty());
    EXPECT_FALSE(shell.startProgram("\\no\\such\\program", {}, 1, &whyNot));
}

TEST(UiMessages, OneLogLinePerBoxAndDefaultAnswers)
{
    EXPECT_EQ(platform::messageBoxLogLine("53\r\nFile not found", 0, "Vantrel"), "Vantrel: 53 | File not found");
    platform::setApplicationTitle(ProgramTexts::kProgramTitle);
    EXPECT_EQ(platform::messageBoxLogLine("In Timer", 0, ""), "Vantrel Countdown Clock: In Timer");
    platform::setApplicationTitle({});
    using namespace platform::vbmsg;
    struct Case {
        int buttons;
        int answer;
    };
    const Case cases[] = {{vbOKOnly, vbOK}, {vbOKCancel | vbQuestion, vbOK}, {vbYesNo, vbYes},
                          {vbYesNo | vbDefaultButton2, vbNo}, {vbYesNoCancel | vbDefaultButton3, vbCancel},
                          {vbRetryCancel, vbRetry}};
    platform::FakeUi ui;
    for (const Case& c : cases)
        EXPECT_EQ(ui.msgBox("?", c.buttons), c.answer) << c.buttons;
    ui.msgBoxAnswers = {vbNo};
    ui.inputBoxAnswers = {""};
    EXPECT_EQ(ui.msgBox("Save?", vbYesNo), vbNo);
    EXPECT_EQ(ui.inputBox("Name", "", "default"), "");
    EXPECT_EQ(ui.inputBox("Name", "", "default"), "default");
    EXPECT_EQ(ui.prompts().last(), "Save?");
}

} // namespace
