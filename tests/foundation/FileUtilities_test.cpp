#include "foundation/clsPSFileUtilities.h"
#include "platform/FileSystem.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace fs = platform::fs;

namespace {

const QString kTooLarge = QStringLiteral("The file is too large to open.");

class FileUtilities : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    QStringList prompts() { return services.ui().prompts(); }

    TestServices services;
    TempFolder temp;
    clsPSFileUtilities files;
};

TEST_F(FileUtilities, ExistenceTestsFollowTheirAttributeMasks)
{
    temp.write("plain.txt", "x");
    fs::setHidden(temp.write("secret.txt", "x"), true);
    temp.makeFolder("sub");
    fs::setHidden(temp.makeFolder("hid"), true);

    struct Case {
        const char* name;
        bool file, folder, hidden;
    };
    const Case cases[] = {
        {"plain.txt", true, true, true},   {"secret.txt", false, false, true}, {"sub", false, true, false},
        {"hid", false, false, false},      {"missing", false, false, false},   {"PLAIN.TXT", true, true, true},
        {"*.txt", true, true, true},       {"secre?.txt", false, false, true}, {"s*", false, true, true},
    };
    for (const Case& c : cases) {
        const QString path = temp.internalPath(c.name);
        EXPECT_EQ(files.FileExists(path), c.file) << c.name;
        EXPECT_EQ(files.PellowFileName(), path);
        EXPECT_EQ(files.DirExists(path), c.folder) << c.name;
        EXPECT_EQ(files.HiddenDirExists(path), c.hidden) << c.name;
    }
    EXPECT_TRUE(prompts().isEmpty());
}

TEST_F(FileUtilities, EmptyAndBadNamesAreNotFoundSilently)
{
    EXPECT_FALSE(files.FileExists(""));
    EXPECT_FALSE(files.DirExists(""));
    EXPECT_FALSE(files.HiddenDirExists(""));
    const QString bad = temp.internalPath(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    EXPECT_FALSE(files.FileExists(bad));
    EXPECT_FALSE(files.DirExists(bad));
    EXPECT_TRUE(prompts().isEmpty());
    // The hidden test traps nothing: its error reaches the caller.
    try {
        files.HiddenDirExists(bad);
        ADD_FAILURE() << "no error";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 52);
    }
}

TEST_F(FileUtilities, KillDeletesOnlyWhatTheFileTestFinds)
{
    const QString plain = temp.write("a.txt", "x");
    const QString hidden = temp.write("h.txt", "x");
    fs::setHidden(hidden, true);
    files.psKill(plain);
    files.psKill(temp.internalPath("missing.txt"));
    files.psKill(hidden);
    EXPECT_FALSE(QFile::exists(temp.nativePath("a.txt")));
    EXPECT_TRUE(QFile::exists(temp.nativePath("h.txt")));
    EXPECT_EQ(files.PellowFileName(), hidden);
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_TRUE(services.mci().commands.isEmpty());
}

// "*" and "?" in a name to delete are refused as a bad file name with one message, and every
// file the pattern would match stays as it was.
TEST_F(FileUtilities, DeletingOperationsTakeTheirNameLiterally)
{
    const QString badName = "52\r\n" + platform::vbErrorDescription(52);
    const QString source = temp.write("src.txt", "new");
    for (const char* pattern : {"k*", "k?"}) {
        for (const bool kill : {true, false}) {
            services.ui().msgBoxes.clear();
            temp.write("k1", "one");
            temp.write("k2", "two");
            const QString path = temp.internalPath(QString::fromLatin1(pattern));
            files.setPellowFileName(source);
            kill ? files.psKill(path) : files.psFileCopy(path);
            EXPECT_EQ(temp.read("k1") + temp.read("k2"), "onetwo") << pattern << (kill ? " kill" : " copy");
            // Only the delete's message names the path.
            const QString expected = kill ? badName + "\r\n" + fs::toNative(path) : badName;
            EXPECT_EQ(prompts(), QStringList{expected}) << pattern << (kill ? " kill" : " copy");
        }
    }
    // A pattern as the source: the destination is not deleted for a copy that cannot be made.
    services.ui().msgBoxes.clear();
    files.setPellowFileName(temp.internalPath("s*"));
    files.psFileCopy(temp.internalPath("k1"));
    EXPECT_EQ(temp.read("k1"), "one");
    EXPECT_EQ(prompts(), QStringList{badName});
}

// A file that cannot be deleted (held, as playback holds one on other systems): the video
// device is closed and the file stays, without a message.
TEST_F(FileUtilities, KillOfAFileThatCannotGoClosesTheVideoDevice)
{
    const QString held = temp.write("locked\\held.wav", "x");
    const QString folder = temp.nativePath("locked");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool immutable = QFileInfo(folder).isWritable()
        && QProcess::execute("chattr", {"+i", temp.nativePath("locked/held.wav")}) == 0;
    if (QFileInfo(folder).isWritable() && !immutable) {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "no way to make a file undeletable here";
    }
    files.psKill(held);
    const bool stayed = QFile::exists(temp.nativePath("locked/held.wav"));
    if (immutable)
        QProcess::execute("chattr", {"-i", temp.nativePath("locked/held.wav")});
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(services.mci().commands, QStringList{"close video"});
    EXPECT_TRUE(prompts().isEmpty());
}

TEST_F(FileUtilities, MakeDirAndCreateDirMaybe)
{
    files.setPellowFileName(temp.internalPath("made"));
    files.MakeDir();
    EXPECT_TRUE(QFileInfo(temp.nativePath("made")).isDir());
    try {
        files.MakeDir();
        ADD_FAILURE() << "no error for an existing folder";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 75);
    }

    files.CreateDirMaybe(temp.internalPath("maybe"));
    files.CreateDirMaybe(temp.internalPath("maybe"));
    EXPECT_TRUE(QFileInfo(temp.nativePath("maybe")).isDir());

    const QString hidden = temp.makeFolder("Temp");
    fs::setHidden(hidden, true);
    files.CreateDirMaybe(hidden);
    EXPECT_TRUE(fs::isHidden(hidden));
    EXPECT_TRUE(prompts().isEmpty());

    // Only the last level is made; the error shows its number run together with its text.
    files.CreateDirMaybe(temp.internalPath("no\\such\\level"));
    EXPECT_FALSE(QFileInfo(temp.nativePath("no")).exists());
    EXPECT_EQ(prompts(), QStringList{"76" + platform::vbErrorDescription(76)});
    EXPECT_EQ(files.PellowFileName(), temp.internalPath("no\\such\\level"));
}

TEST_F(FileUtilities, FileCopyReplacesTheDestination)
{
    const QString source = temp.write("src.txt", "new");
    const QString destination = temp.write("dst.txt", "old");
    files.setPellowFileName(source);
    files.psFileCopy(destination);
    EXPECT_EQ(temp.read("dst.txt"), "new");
    EXPECT_EQ(files.PellowFileName(), source);

    // Onto itself, under any spelling of its name: nothing happens, and the source stays.
    for (const QString& itself : {source, temp.internalPath("SRC.TXT"), QString(source).replace(u'\\', u'/')}) {
        files.psFileCopy(itself);
        EXPECT_EQ(temp.read("src.txt"), "new") << itself.toStdString();
    }

    // A missing source copies nothing and keeps the destination.
    files.setPellowFileName(temp.internalPath("gone.txt"));
    files.psFileCopy(destination);
    EXPECT_EQ(temp.read("dst.txt"), "new");

    files.setPellowFileName(source);
    files.psFileCopy(temp.internalPath("nofolder\\dst.txt"));
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_EQ(prompts().front(), "76\r\n" + platform::vbErrorDescription(76));
}

TEST_F(FileUtilities, WholeFileReadersStopAbove65000Bytes)
{
    const QString atLimit = temp.write("limit.txt", QByteArray(65000, 'a'));
    const QString overLimit = temp.write("over.txt", QByteArray(65001, 'a'));
    EXPECT_EQ(files.sFileOpenProc(atLimit).size(), 65000);
    EXPECT_EQ(files.ReadTextFile(atLimit).size(), 65000);
    EXPECT_TRUE(prompts().isEmpty());

    EXPECT_EQ(files.sFileOpenProc(overLimit), "");
    EXPECT_EQ(files.ReadTextFile(overLimit), "");
    QStringList fields{"keep"};
    EXPECT_EQ(files.ReadTextFileArray(overLimit, fields), "");
    EXPECT_EQ(fields, QStringList{"keep"});
    EXPECT_EQ(prompts(), QStringList({kTooLarge, kTooLarge, kTooLarge}));
    EXPECT_EQ(services.ui().msgBoxes.front().buttons, platform::vbmsg::vbInformation);
    EXPECT_EQ(files.PellowFileName(), overLimit);

    EXPECT_EQ(files.sFileOpenProc(temp.internalPath("missing.txt")), "");
    EXPECT_EQ(prompts().size(), 3);
}

TEST_F(FileUtilities, TextFileReadersTakeDelimitedFields)
{
    const QString fixture = fs::toInternal(QStringLiteral(VANTREL_TEST_DATA_DIR "/foundation/fields.txt"));
    EXPECT_EQ(files.ReadTextFile(fixture),
              QString::fromUtf8("a\r\nb\r\nc,d\r\nlead\r\n\r\nlast \xE2\x82\xAC\r\nsaid \r\n"));

    const QString pair = temp.write("pair.txt", "a,b\r\n\"c,d\"\r\n");
    EXPECT_EQ(files.ReadTextFile(pair), "a\r\nb\r\nc,d");
    QStringList fields{"old", "more", "than", "read"};
    files.ReadTextFileArray(pair, fields);
    EXPECT_EQ(fields, QStringList({"a", "b", "c,d"}));

    const QString empty = temp.write("empty.txt", "");
    fields = QStringList{"first", "second"};
    files.ReadTextFileArray(empty, fields);
    EXPECT_EQ(fields, QStringList{"first"});
    fields.clear();
    files.ReadTextFileArray(temp.internalPath("missing.txt"), fields);
    EXPECT_EQ(fields, QStringList{""});
    EXPECT_TRUE(prompts().isEmpty());

    fs::setHidden(pair, true);  // a hidden file is not found by the file test
    EXPECT_EQ(files.ReadTextFile(pair), "");
}

TEST_F(FileUtilities, WritersTrimAndEndLinesWithCrLfUnderTheHourglass)
{
    const QString path = temp.internalPath("out.txt");
    files.SaveFileAs(path, QString::fromUtf8("  caf\xC3\xA9 \xE2\x98\x85  "));
    EXPECT_EQ(temp.read("out.txt"), "caf\xE9 ?\r\n");
    EXPECT_EQ(services.ui().pointerHistory, (std::vector<int>{11, 0}));

    files.SaveFileAsArray(path, {"one", "  two ", ""});
    EXPECT_EQ(temp.read("out.txt"), "one\r\n  two \r\n\r\n");
    EXPECT_EQ(files.PellowFileName(), path);

    files.SaveFileAs(temp.internalPath("no\\folder.txt"), "x");
    files.SaveFileAsArray(temp.internalPath("no\\folder.txt"), {"x"});
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_EQ(services.ui().pointer, 0);
    EXPECT_EQ(services.ui().pointerHistory.size(), 8u);
}

struct PathCase {
    QString input;
    QString expected;
};

TEST(FilePathTexts, StripDirectoryFileNameAndExtension)
{
    clsPSFileUtilities files;
    const PathCase directories[] = {
        {"C:\\Count\\Event.Day.MVL", "Event.Day.MVL"}, {"Readme", "Readme"}, {"dir/sub/file.txt", "dir/sub/file.txt"},
        {"C:\\Temp\\", ""}, {"", ""},
    };
    for (const PathCase& c : directories) {
        EXPECT_EQ(files.StripDirectory(c.input), c.expected) << c.input.toStdString();
        EXPECT_EQ(files.PellowFileName(), c.input);
    }
    const PathCase names[] = {
        {"C:\\x\\y.txt", "C:\\x"}, {"a.b.c", "b.c"}, {"Readme", ""}, {"\\file", ""}, {"C:\\my.dir\\f", "C:\\my.dir"},
    };
    for (const PathCase& c : names) {
        EXPECT_EQ(files.StripFileName(c.input), c.expected) << c.input.toStdString();
        EXPECT_EQ(files.PellowFileName(), c.expected);  // the result, not the argument
    }
    const PathCase extensions[] = {
        {"a.b.c", "a.b"}, {"Readme", ""}, {"", ""}, {"C:\\my.dir\\file", "C:\\my"}, {".hidden", ""},
    };
    for (const PathCase& c : extensions) {
        EXPECT_EQ(files.StripExtension(c.input), c.expected) << c.input.toStdString();
        EXPECT_EQ(files.PellowFileName(), c.input);
    }
}

TEST(FilePathTexts, SeparatePathAndFileName)
{
    struct Case {
        QString path, folder, name;
    };
    const Case cases[] = {
        {"C:file", "C:", "file"},
        {"dir/sub/file.txt", "dir/sub", "file.txt"},
        {"C:\\Count\\Event.Day.MVL", "C:\\Count", "Event.Day.MVL"},
        {"C:\\a/b", "C:\\a", "b"},
        {"C:\\", "C:", ""},
        {"a\\b:c", "a\\b:", "c"},
        {"Readme", fs::currentFolder(), "Readme"},
    };
    clsPSFileUtilities files;
    files.setPellowFileName("unchanged");
    for (const Case& c : cases) {
        QString folder, name;
        files.SeparatePathAndFileName(c.path, folder, name);
        EXPECT_EQ(folder, c.folder) << c.path.toStdString();
        EXPECT_EQ(name, c.name) << c.path.toStdString();
    }
    EXPECT_EQ(files.PellowFileName(), "unchanged");
}

TEST(FilePathTexts, PathPartGettersInAnyOrder)
{
    struct Case {
        QString path, directory, filename, title, extension;
    };
    const Case cases[] = {
        {"C:\\Count\\Event.Day.MVL", "C:\\Count", "Event.Day", "Event.Day", "Day.MVL"},
        {"Readme", fs::currentFolder(), "", "", ""},
        {"C:file.txt", "C:", "file", "C:file", "txt"},
    };
    for (const Case& c : cases) {
        clsPSFileUtilities files;
        files.setPellowFileName(c.path);
        for (int round = 0; round < 2; ++round) {  // the getters leave PellowFileName alone
            EXPECT_EQ(files.Extension(), c.extension) << c.path.toStdString();
            EXPECT_EQ(files.FileTitle(), c.title) << c.path.toStdString();
            EXPECT_EQ(files.Filename(), c.filename) << c.path.toStdString();
            EXPECT_EQ(files.DirectoryName(), c.directory) << c.path.toStdString();
        }
        EXPECT_EQ(files.PellowFileName(), c.path);
    }
}

TEST(FilePathTexts, AddDirSepNextDirLevelAndNulls)
{
    const PathCase separators[] = {
        {"C:\\Temp   ", "C:\\Temp\\"}, {"C:/", "C:/"}, {"", "\\"}, {"C:\\a\\", "C:\\a\\"}, {"   ", "\\"},
    };
    clsPSFileUtilities files;
    for (const PathCase& c : separators) {
        QString path = c.input;
        files.AddDirSep(path);
        EXPECT_EQ(path, c.expected) << c.input.toStdString();
        EXPECT_EQ(files.PellowFileName(), c.input);
    }
    struct LevelCase {
        int count;
        QString expected;
    };
    const LevelCase levels[] = {{0, "C:"}, {1, "C:\\a"}, {2, "C:\\a\\b"}, {5, "C:\\a\\b"}};
    for (const LevelCase& c : levels)
        EXPECT_EQ(files.sGetNextDirLevel("C:\\a\\b", static_cast<int16_t>(c.count)), c.expected) << c.count;
    EXPECT_EQ(files.PellowFileName(), "C:\\a\\b");
    {
        // A negative count is an error shown as number, blank, text; the result stays empty.
        TestServices services;
        EXPECT_EQ(files.sGetNextDirLevel("C:\\a\\b", -1), "");
        EXPECT_EQ(services.ui().prompts(), QStringList{"5 " + platform::vbErrorDescription(5)});
        EXPECT_EQ(services.ui().msgBoxes.front().buttons, platform::vbmsg::vbOKOnly);
    }

    EXPECT_EQ(files.RemoveNulls(QString("ab") + QChar(0) + "cd"), "ab");
    EXPECT_EQ(files.RemoveNulls("abc"), "abc");
    EXPECT_EQ(files.PellowFileName(), "C:\\a\\b");
}

TEST_F(FileUtilities, InternetOpenHandsTheAddressToTheShell)
{
    files.InternetOpen("https://example.org/help");
    EXPECT_EQ(services.shell().documents, QStringList{"https://example.org/help"});
    EXPECT_EQ(files.PellowFileName(), "https://example.org/help");
    EXPECT_TRUE(prompts().isEmpty());

    services.shell().succeed = false;
    services.shell().failure = "no program for this address";
    files.InternetOpen("mailto:support@example.org");
    files.InternetOpen("C:\\Docs\\guide.html");
    EXPECT_EQ(prompts(), QStringList({"Could not open \"mailto:support@example.org\". no program for this address",
                                      "Could not open \"C:/Docs/guide.html\". no program for this address"}));
    EXPECT_EQ(services.ui().msgBoxes.back().buttons, platform::vbmsg::vbInformation);
}

} // namespace
