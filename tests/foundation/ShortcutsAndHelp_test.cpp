#include "foundation/clsHelp.h"
#include "foundation/modShellLink.h"
#include "support/TestServices.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class ShortcutsTest : public ::testing::Test {
protected:
    TestServices services;
    TempFolder folder;
};

TEST_F(ShortcutsTest, LauncherStartsTargetWithArgumentsInItsFolder)
{
    const QString target = folder.write("bin/vantrel-viewer", "#!/bin/sh\n");
    QFile::setPermissions(folder.nativePath("bin/vantrel-viewer"), QFile::ReadOwner | QFile::ExeOwner);
    const QString icon = folder.write("bin/clock.png", "");
    folder.makeFolder("Desktop");
    ASSERT_TRUE(modShellLink::CreateShellLink(folder.internalPath("Desktop\\Vantrel.lnk"), target,
                                              folder.internalPath("bin"), "--demo", icon, 0, 1));

    const QString launcher = folder.nativePath("Desktop/Vantrel.desktop");
    QFile file(launcher);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("Type=Application\n"));
    EXPECT_TRUE(text.contains("Comment=ShellLink Sample\n"));
    EXPECT_TRUE(text.contains("Exec=" + folder.nativePath("bin/vantrel-viewer") + " --demo\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("Path=" + folder.nativePath("bin") + "\n"));
    EXPECT_TRUE(text.contains("Icon=" + folder.nativePath("bin/clock.png") + "\n"));
    EXPECT_FALSE(QFile::exists(folder.nativePath("Desktop/Vantrel.lnk")));

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    QProcess validate;
    validate.start(validator, {launcher});
    ASSERT_TRUE(validate.waitForFinished());
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
}

TEST_F(ShortcutsTest, LauncherLeavesOutEmptyFolderArgumentsAndIcon)
{
    ASSERT_TRUE(modShellLink::CreateShellLink(folder.internalPath("Startup.lnk"), "\\usr\\bin\\true",
                                              "", "", "", 0, 1));
    const QString text = QString::fromUtf8(folder.read("Startup.desktop"));
    EXPECT_TRUE(text.contains("Exec=/usr/bin/true\n")) << text.toStdString();
    EXPECT_FALSE(text.contains("Path="));
    EXPECT_FALSE(text.contains("Icon="));
}

TEST_F(ShortcutsTest, EmptyLinkOrTargetWritesNothing)
{
    EXPECT_FALSE(modShellLink::CreateShellLink(folder.internalPath("x.lnk"), "", "", "", "", 0, 1));
    EXPECT_FALSE(modShellLink::CreateShellLink("", "\\usr\\bin\\true", "", "", "", 0, 1));
    EXPECT_FALSE(QFile::exists(folder.nativePath("x.desktop")));
    EXPECT_TRUE(services.shell().launchers.empty());
}

TEST_F(ShortcutsTest, SpecialFolderOnlyWhenItExists)
{
    const QString desktop = folder.makeFolder("Desktop");
    // A no-break space is a character of the name, not a blank.
    const QString spaced = folder.makeFolder(QString("Desktop") + QChar(0x00A0));
    services.shell().folders[0] = desktop;
    services.shell().folders[7] = folder.internalPath("config\\autostart"); // not made
    services.shell().folders[1] = "  " + desktop + " ";
    services.shell().folders[2] = desktop + QChar(0);
    services.shell().folders[3] = spaced;
    struct Case {
        int csidl;
        bool expected;
        QString expectedPath;
    };
    const Case cases[] = {
        {0, true, desktop},
        {7, false, "unchanged"},
        {36, false, "unchanged"},
        {1, true, desktop}, // blanks at both ends dropped
        {2, true, desktop}, // a trailing NUL dropped
        {3, true, spaced},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csidl);
        QString path = "unchanged";
        EXPECT_EQ(modShellLink::GetSpecialFolderPath(0, c.csidl, path), c.expected);
        EXPECT_EQ(path, c.expectedPath);
    }
}

TEST_F(ShortcutsTest, HelpOpensAnExistingFileAtEachPage)
{
    const QString helpFile = folder.write("MVL.chm", "help");
    clsHelp help;
    help.Contents(helpFile, 0);
    help.Index(helpFile, 0);
    help.Search(helpFile, 42);
    using Call = std::pair<QString, int>;
    EXPECT_EQ(services.help().calls, (std::vector<Call>{{helpFile, 1}, {helpFile, 2}, {helpFile, 3}}));
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(ShortcutsTest, MissingHelpFileIsSaidAndNotOpened)
{
    clsHelp help;
    help.Contents(folder.internalPath("MVL.chm"), 0);
    help.Search("", 0);
    EXPECT_TRUE(services.help().calls.empty());
    ASSERT_EQ(services.ui().msgBoxes.size(), 2u);
    for (const auto& box : services.ui().msgBoxes) {
        EXPECT_EQ(box.prompt, "The Help file is missing. You may have to reinstall this software.");
        EXPECT_EQ(box.buttons, 64);
    }
}

} // namespace
