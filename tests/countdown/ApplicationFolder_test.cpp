#include "countdown/ApplicationFolder.h"
#include "platform/FileSystem.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& nativePath)
{
    QFile file(nativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The shipped files as an install lays them out in the program folder.
void shipFiles(const TempFolder& folder, const QString& shipped)
{
    folder.write(shipped + QStringLiteral("/BELL.MP3"), "bell");
    folder.write(shipped + QStringLiteral("/Alarm.wav"), "alarm");
    folder.write(shipped + QStringLiteral("/Templates/Default.MVL"), "default package");
    folder.write(shipped + QStringLiteral("/Templates/Demo.MVL"), "demo package");
    folder.write(shipped + QStringLiteral("/vantrel-viewer.png"), "icon");
}

// What the superuser left in an installed program folder that an earlier version let it write.
void leaveForeignFiles(const TempFolder& folder, const QString& programFolder)
{
    folder.write(programFolder + QStringLiteral("/Temp/Beta.MVK"), "root's countdown");
    folder.write(programFolder + QStringLiteral("/Temp/frmCountdownViewer.MVW"), "root's window");
    folder.write(programFolder + QStringLiteral("/Countdowns/RootParty.MVL"), "root's party");
    folder.write(programFolder + QStringLiteral("/Templates/RootOwn.MVL"), "root's template");
    folder.write(programFolder + QStringLiteral("/notes.txt"), "root's notes");
}

// Every file below `nativeFolder`, relative to it, with its bytes.
QMap<QString, QByteArray> filesBelow(const QString& nativeFolder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(nativeFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(nativeFolder).relativeFilePath(path), fileBytes(path));
    }
    return files;
}

TEST(ApplicationFolder, WritableExecutableFolderIsTheProgramFolder)
{
    if (!ApplicationFolder::isWritableFolder(QCoreApplication::applicationDirPath()))
        GTEST_SKIP() << "the test's own folder is read-only for this user";
    const QString folder = countdownApplicationFolder();
    EXPECT_EQ(folder, platform::fs::toInternal(QCoreApplication::applicationDirPath()));
    EXPECT_FALSE(folder.endsWith(QLatin1Char('\\')));
    EXPECT_FALSE(folder.contains(QLatin1Char('/')));
}

TEST(ApplicationFolder, WritableFolderTest)
{
    TempFolder folder;
    folder.write(QStringLiteral("a file"), "x");
    EXPECT_TRUE(ApplicationFolder::isWritableFolder(folder.native()));
    EXPECT_FALSE(ApplicationFolder::isWritableFolder(folder.nativePath(QStringLiteral("missing"))));
    EXPECT_FALSE(ApplicationFolder::isWritableFolder(folder.nativePath(QStringLiteral("a file"))));
}

TEST(ApplicationFolder, UserFolderLiesInTheDataHome)
{
    // The test main points XDG_DATA_HOME at a folder of its own.
    const QString dataHome = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    ASSERT_FALSE(dataHome.isEmpty());
    EXPECT_EQ(ApplicationFolder::userFolder(), dataHome + QStringLiteral("/Vantrel Countdown Clock"));
}

TEST(ApplicationFolder, UserFolderIsMadeAndFilledOnceWithoutReplacingTheUsersFiles)
{
    TempFolder folder;
    shipFiles(folder, QStringLiteral("share/vantrel"));
    const QString shipped = folder.nativePath(QStringLiteral("share/vantrel"));
    const QString user = folder.nativePath(QStringLiteral("home/data/Vantrel Countdown Clock"));

    const QString made = ApplicationFolder::fillUserFolder(shipped, user);
    EXPECT_EQ(made, platform::fs::toInternal(user));
    for (const char* name : {"BELL.MP3", "Alarm.wav", "Templates/Default.MVL", "Templates/Demo.MVL"})
        EXPECT_EQ(fileBytes(user + QLatin1Char('/') + QLatin1String(name)),
                  fileBytes(shipped + QLatin1Char('/') + QLatin1String(name)))
            << name;

    // The user changes a template and removes a sound; a later start keeps the change and
    // brings back only what is missing.
    folder.write(QStringLiteral("home/data/Vantrel Countdown Clock/Templates/Demo.MVL"), "the user's own");
    QFile::remove(user + QStringLiteral("/BELL.MP3"));
    ApplicationFolder::fillUserFolder(shipped, user);
    EXPECT_EQ(fileBytes(user + QStringLiteral("/Templates/Demo.MVL")), QByteArray("the user's own"));
    EXPECT_EQ(fileBytes(user + QStringLiteral("/BELL.MP3")), QByteArray("bell"));
}

TEST(ApplicationFolder, UserFolderReceivesTheShippedFilesAndNothingElseOfTheProgramFolder)
{
    TempFolder folder;
    shipFiles(folder, QStringLiteral("lib/vantrel"));
    leaveForeignFiles(folder, QStringLiteral("lib/vantrel"));
    const QString user = folder.nativePath(QStringLiteral("user"));

    ApplicationFolder::fillUserFolder(folder.nativePath(QStringLiteral("lib/vantrel")), user);
    const QMap<QString, QByteArray> expected = {
        {"BELL.MP3", "bell"},
        {"Alarm.wav", "alarm"},
        {"vantrel-viewer.png", "icon"},
        {"Templates/Default.MVL", "default package"},
        {"Templates/Demo.MVL", "demo package"},
    };
    EXPECT_EQ(filesBelow(user), expected);
}

TEST(ApplicationFolder, InstalledCopyTakesTheUserFolderAlsoWhereItMayBeWritten)
{
    // A writable program folder with the install's mark: what the superuser sees.
    TempFolder folder;
    shipFiles(folder, QStringLiteral("prefix/lib/vantrel"));
    leaveForeignFiles(folder, QStringLiteral("prefix/lib/vantrel"));
    folder.write(QStringLiteral("prefix/lib/vantrel/") + QLatin1String(ApplicationFolder::kInstalledMarkName), "mark");
    const QString program = folder.nativePath(QStringLiteral("prefix/lib/vantrel"));
    const QMap<QString, QByteArray> installed = filesBelow(program);

    EXPECT_EQ(ApplicationFolder::programFolderFor(program), platform::fs::toInternal(ApplicationFolder::userFolder()));
    EXPECT_EQ(fileBytes(ApplicationFolder::userFolder() + QStringLiteral("/Templates/Demo.MVL")),
              QByteArray("demo package"));
    EXPECT_FALSE(QFileInfo::exists(ApplicationFolder::userFolder() + QStringLiteral("/Temp/Beta.MVK")));
    EXPECT_FALSE(QFileInfo::exists(ApplicationFolder::userFolder() + QStringLiteral("/Countdowns/RootParty.MVL")));
    EXPECT_EQ(filesBelow(program), installed);

    // A folder of that name that is no file is not the mark.
    TempFolder build;
    build.makeFolder(QLatin1String(ApplicationFolder::kInstalledMarkName));
    EXPECT_FALSE(ApplicationFolder::isInstalledFolder(build.native()));
    EXPECT_EQ(ApplicationFolder::programFolderFor(build.native()), build.internal());
}

TEST(ApplicationFolder, UserFolderIsFilledOnceAProcess)
{
    TempFolder folder;
    shipFiles(folder, QStringLiteral("lib/vantrel"));
    folder.write(QStringLiteral("lib/vantrel/") + QLatin1String(ApplicationFolder::kInstalledMarkName), "mark");
    const QString program = folder.nativePath(QStringLiteral("lib/vantrel"));
    const QString settled = ApplicationFolder::programFolderFor(program);
    const QString bell = platform::fs::toNative(settled) + QStringLiteral("/BELL.MP3");
    ASSERT_TRUE(QFile::remove(bell));

    // Every countdown the process makes asks again; the folder was filled at the start.
    EXPECT_EQ(ApplicationFolder::programFolderFor(program), settled);
    EXPECT_FALSE(QFileInfo::exists(bell));
}

TEST(ApplicationFolder, CopiesOfReadOnlyShippedFilesBelongToTheUser)
{
    TempFolder folder;
    shipFiles(folder, QStringLiteral("share/vantrel"));
    const QString shippedDemo = folder.nativePath(QStringLiteral("share/vantrel/Templates/Demo.MVL"));
    QFile::setPermissions(shippedDemo, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString user = folder.nativePath(QStringLiteral("user"));

    ApplicationFolder::fillUserFolder(folder.nativePath(QStringLiteral("share/vantrel")), user);
    const QFileDevice::Permissions copied = QFile::permissions(user + QStringLiteral("/Templates/Demo.MVL"));
    EXPECT_TRUE(copied & QFileDevice::WriteOwner) << "the viewer saves the template back into it";
    EXPECT_EQ(fileBytes(user + QStringLiteral("/Templates/Demo.MVL")), QByteArray("demo package"));
}

TEST(ApplicationFolder, UserFolderIsMadeEvenWithoutShippedFiles)
{
    TempFolder folder;
    const QString user = folder.nativePath(QStringLiteral("data/Vantrel Countdown Clock"));
    EXPECT_EQ(ApplicationFolder::fillUserFolder(folder.nativePath(QStringLiteral("nothing here")), user),
              platform::fs::toInternal(user));
    EXPECT_TRUE(QFileInfo(user).isDir());
    EXPECT_TRUE(QDir(user).isEmpty());
}

TEST(ApplicationFolder, UnwritableExecutableFolderTakesTheFilledUserFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "a read-only folder does not stop the superuser";
    TempFolder folder;
    shipFiles(folder, QStringLiteral("prefix/lib/vantrel"));
    folder.write(QStringLiteral("prefix/lib/vantrel/vantrel-viewer"), "program");
    const QString bin = folder.makeFolder(QStringLiteral("prefix/lib/vantrel"));
    QFile::setPermissions(folder.nativePath(QStringLiteral("prefix/lib/vantrel/vantrel-viewer")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(platform::fs::toNative(bin), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString made = ApplicationFolder::programFolderFor(platform::fs::toNative(bin));
    QFile::setPermissions(platform::fs::toNative(bin), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                           | QFileDevice::ExeOwner);
    EXPECT_EQ(made, platform::fs::toInternal(ApplicationFolder::userFolder()));
    EXPECT_EQ(fileBytes(ApplicationFolder::userFolder() + QStringLiteral("/Templates/Demo.MVL")),
              QByteArray("demo package"));
    EXPECT_FALSE(QFileInfo::exists(ApplicationFolder::userFolder() + QStringLiteral("/vantrel-viewer")))
        << "the programs stay in the program folder";
}

TEST(ApplicationFolder, WritableExecutableFolderIsKeptAsItIs)
{
    TempFolder folder;
    shipFiles(folder, QStringLiteral("prefix/share/vantrel"));
    const QString bin = folder.makeFolder(QStringLiteral("prefix/bin"));
    EXPECT_EQ(ApplicationFolder::programFolderFor(platform::fs::toNative(bin)), bin);
    EXPECT_TRUE(QDir(platform::fs::toNative(bin)).isEmpty()) << "nothing is copied beside the executable";
}

} // namespace
