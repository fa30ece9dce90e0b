#include "platform/FileSystem.h"
#include "platform/VbError.h"
#include "support/ErrorOf.h"
#include "support/ForkedChild.h"
#include "support/RawEntries.h"
#include "support/TestServices.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace fs = platform::fs;
namespace vberr = platform::vberr;

namespace {

// A small tree: Templates/Default.MVL, BELL.MP3, Temp/ (hidden), hidden.txt (hidden), Sub Dir/a.b.c
class FileTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        root.write("Templates/Default.MVL", "package");
        root.write("BELL.MP3", "sound");
        root.write("hidden.txt", "secret");
        root.write("Sub Dir/a.b.c", "abc");
        root.makeFolder("Temp");
        fs::setHidden(root.internalPath("Temp"), true);
        fs::setHidden(root.internalPath("hidden.txt"), true);
    }
    QString in(const QString& name) const { return root.internalPath(name); }

    TempFolder root;
};

TEST(FsPaths, InternalAndNativeForms)
{
    struct Case {
        const char* internal;
        const char* native;
    };
    const Case cases[] = {{"\\home\\u\\a.txt", "/home/u/a.txt"}, {"rel\\x", "rel/x"}, {"a/b\\c", "a/b/c"}, {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(fs::toNative(QString::fromLatin1(c.internal)), QString::fromLatin1(c.native)) << c.internal;
    EXPECT_EQ(fs::toInternal("/home/u/a.txt"), "\\home\\u\\a.txt");
}

TEST_F(FileTree, ResolvesEachComponentWithoutCase)
{
    struct Case {
        const char* asked;
        const char* found; // relative to the root
    };
    const Case cases[] = {
        {"templates\\default.mvl", "Templates/Default.MVL"},
        {"TEMPLATES/Default.MVL", "Templates/Default.MVL"},
        {"Bell.mp3", "BELL.MP3"},
        {"sub dir\\A.B.C", "Sub Dir/a.b.c"},
        {"templates\\New.MVL", "Templates/New.MVL"},   // new file keeps its case in a found folder
        {"nothere\\Templates", "nothere/Templates"},   // below a missing folder nothing is looked up
        {"Templates\\", "Templates/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs::resolve(in(QString::fromLatin1(c.asked))), root.native() + "/" + c.found) << c.asked;
    EXPECT_TRUE(fs::exists(in("TEMPLATES\\DEFAULT.mvl")));
    EXPECT_TRUE(fs::isDirectory(in("templates")));
    EXPECT_TRUE(fs::isFile(in("bell.MP3")));
    EXPECT_EQ(fs::fileLength(in("bell.mp3")), 5);
    EXPECT_EQ(fs::readAll(in("templates\\default.mvl")), "package");
}

TEST_F(FileTree, HiddenFlagLivesInTheExtendedAttribute)
{
    EXPECT_TRUE(fs::isHidden(in("temp")));
    EXPECT_TRUE(fs::isHidden(in("hidden.txt")));
    EXPECT_FALSE(fs::isHidden(in("BELL.MP3")));
    char value[16] = {};
    const ssize_t length = ::getxattr(QFile::encodeName(root.nativePath("hidden.txt")).constData(),
                                      "user.DOSATTRIB", value, sizeof value);
    EXPECT_EQ(QByteArray(value, int(length)), "0x2");
    EXPECT_EQ(fs::attributes(in("Temp")), fs::attr::Directory | fs::attr::Hidden);
    fs::setHidden(in("hidden.txt"), false);
    EXPECT_FALSE(fs::isHidden(in("hidden.txt")));
    EXPECT_EQ(errorOf([&] { fs::setHidden(in("missing"), true); }), vberr::FileNotFound);
}

// The programs' own mark reaches the disk with the bytes it was set with, in one commit, and
// goes when another writer replaces the file.
TEST_F(FileTree, OwnMarkComesAndGoesWithTheBytesItWasSetWith)
{
    EXPECT_EQ(fs::ownMark(in("count.txt")), "") << "a missing file";
    fs::writeAtomic(in("count.txt"), "one", "mark one");
    EXPECT_EQ(fs::ownMark(in("COUNT.TXT")), "mark one");
    fs::writeAtomic(in("count.txt"), "two", "mark two");
    EXPECT_EQ(root.read("count.txt"), "two");
    EXPECT_EQ(fs::ownMark(in("count.txt")), "mark two");

    ASSERT_EQ(::symlink("count.txt", QFile::encodeName(root.nativePath("link.txt")).constData()), 0);
    EXPECT_EQ(fs::ownMark(in("link.txt")), "") << "a link bears no mark of what it points to";

    fs::writeAtomic(in("count.txt"), "another writer's");
    EXPECT_EQ(fs::ownMark(in("count.txt")), "") << "a replacement without the mark";
    EXPECT_EQ(fs::ownMark(in("BELL.MP3")), "");
}

TEST_F(FileTree, DirSearchHonoursTheAttributeMask)
{
    using namespace fs::attr;
    struct Case {
        const char* pattern;
        int mask;
        QStringList expected;
    };
    const Case cases[] = {
        {"*", Normal, {"BELL.MP3"}},
        {"*", Hidden, {"BELL.MP3", "hidden.txt"}},
        {"*", Directory, {".", "..", "BELL.MP3", "Sub Dir", "Templates"}},
        {"*", Directory | Hidden, {".", "..", "BELL.MP3", "hidden.txt", "Sub Dir", "Temp", "Templates"}},
        {"*.mp3", Normal, {"BELL.MP3"}},
        {"b?ll.*", Normal, {"BELL.MP3"}},
        {"?", Normal, {}},
        {"temp", Directory, {}},                   // a hidden folder is not found without the hidden bit
        {"temp", Directory | Hidden, {"Temp"}},
        {"templates", Normal, {}},                 // a folder needs the folder bit
        {"templates", Directory, {"Templates"}},
        {"bell.mp3", Directory, {"BELL.MP3"}},     // a plain file passes any mask
        {"hidden.txt", Normal, {}},
        {"Templates\\*.*", Normal, {"Default.MVL"}},
        {"sub dir\\a.*", Normal, {"a.b.c"}},
        {"missing\\*", Normal, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs::dir(in(QString::fromLatin1(c.pattern)), c.mask), c.expected) << c.pattern << " mask " << c.mask;
}

TEST(FsPatterns, StarAndQuestionMarkWithoutCase)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {{"Readme", "*.*", true}, {"Readme", "readme.*", true}, {"a.b.c", "*.c", true},
                          {"abc", "a?c", true},    {"abc", "a?", false},       {"abc", "*b*", true},
                          {"abc", "*d", false},    {"", "*", true},            {"ABC.TXT", "*.txt", true}};
    for (const Case& c : cases)
        EXPECT_EQ(fs::matchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

TEST_F(FileTree, FailuresCarryVbNumbers)
{
    struct Case {
        const char* what;
        std::function<void()> call;
        int expected;
    };
    const Case cases[] = {
        {"read missing", [&] { fs::readAll(in("nope.txt")); }, vberr::FileNotFound},
        {"read folder", [&] { fs::readAll(in("Templates")); }, vberr::PathFileAccess},
        {"length missing", [&] { fs::fileLength(in("nope")); }, vberr::FileNotFound},
        {"NUL in a name", [&] { fs::exists(in(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))); },
         vberr::BadFileName},
        {"wildcard in a name to read", [&] { fs::readAll(in("BELL.MP?")); }, vberr::BadFileName},
        {"wildcard folder", [&] { fs::dir(in("T*\\x"), 0); }, vberr::BadFileName},
        {"empty name", [&] { fs::readAll(QString()); }, vberr::BadFileName},
        {"write into missing folder", [&] { fs::writeAll(in("no\\x.txt"), "x"); }, vberr::PathNotFound},
        {"atomic into missing folder", [&] { fs::writeAtomic(in("no\\x.txt"), "x"); }, vberr::PathNotFound},
        {"write over folder", [&] { fs::writeAll(in("Templates"), "x"); }, vberr::PathFileAccess},
        {"mkdir existing", [&] { fs::makeDir(in("temp")); }, vberr::PathFileAccess},
        {"mkdir under missing", [&] { fs::makeDir(in("a\\b")); }, vberr::PathNotFound},
        {"kill missing", [&] { fs::removeFile(in("nope")); }, vberr::FileNotFound},
        {"kill folder", [&] { fs::removeFile(in("Templates")); }, vberr::FileNotFound},
        {"kill star", [&] { fs::removeFile(in("*.mp3")); }, vberr::BadFileName},
        {"kill question mark", [&] { fs::removeFile(in("BELL.MP?")); }, vberr::BadFileName},
        {"kill star, no match", [&] { fs::removeFile(in("*.zzz")); }, vberr::BadFileName},
        {"rmdir missing", [&] { fs::removeDir(in("nope")); }, vberr::PathNotFound},
        {"rmdir not empty", [&] { fs::removeDir(in("templates")); }, vberr::PathFileAccess},
        {"copy missing", [&] { fs::copyFile(in("nope"), in("x")); }, vberr::FileNotFound},
        {"copy to missing folder", [&] { fs::copyFile(in("bell.mp3"), in("no\\x")); }, vberr::PathNotFound},
        {"rename onto existing", [&] { fs::rename(in("bell.mp3"), in("hidden.txt")); }, 58},
        {"rename missing", [&] { fs::rename(in("nope"), in("x")); }, vberr::FileNotFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.expected) << c.what;
}

TEST_F(FileTree, WritesCopiesRenamesAndDeletes)
{
    fs::writeAll(in("new\\..\\Out.txt"), "one");
    fs::appendAll(in("out.txt"), "two");
    EXPECT_EQ(root.read("Out.txt"), "onetwo");
    fs::writeAtomic(in("OUT.TXT"), "three"); // replaces the existing file, keeps its name
    EXPECT_EQ(root.read("Out.txt"), "three");
    fs::writeAtomic(in("hidden.txt"), "still hidden");
    EXPECT_TRUE(fs::isHidden(in("hidden.txt")));
    EXPECT_EQ(root.read("hidden.txt"), "still hidden");

    QByteArray big(300 * 1024, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 7);
    root.write("big.bin", big);
    fs::copyFile(in("BIG.bin"), in("templates\\copy.bin"));
    EXPECT_EQ(root.read("Templates/copy.bin"), big);

    fs::rename(in("out.txt"), in("Renamed.txt"));
    EXPECT_EQ(root.read("Renamed.txt"), "three");
    fs::rename(in("renamed.txt"), in("RENAMED.txt")); // a change of case only
    EXPECT_EQ(fs::dir(in("renamed.txt")), QStringList{"RENAMED.txt"});

    fs::makeDir(in("Fresh"));
    EXPECT_TRUE(fs::isDirectory(in("fresh")));
    fs::removeDir(in("FRESH"));
    EXPECT_FALSE(fs::exists(in("Fresh")));

    // A delete takes its name literally: a pattern removes nothing.
    root.write("Sub Dir/x.tmp", "1");
    root.write("Sub Dir/y.TMP", "2");
    EXPECT_EQ(errorOf([&] { fs::removeFile(in("sub dir\\*.tmp")); }), vberr::BadFileName);
    EXPECT_EQ(fs::dir(in("Sub Dir\\*"), fs::attr::Normal), (QStringList{"a.b.c", "x.tmp", "y.TMP"}));
    fs::removeFile(in("sub dir\\Y.tmp"));
    EXPECT_EQ(fs::dir(in("Sub Dir\\*"), fs::attr::Normal), (QStringList{"a.b.c", "x.tmp"}));
    fs::removeFile(in("hidden.txt"));
    EXPECT_FALSE(fs::exists(in("hidden.txt")));
}

TEST(FsStreams, ExactReadsAndChunkedCopies)
{
    QByteArray source(200000, 'x');
    QBuffer in(&source);
    in.open(QIODevice::ReadOnly);
    QByteArray sink;
    QBuffer out(&sink);
    out.open(QIODevice::WriteOnly);
    fs::copyBytes(in, out, 150000);
    EXPECT_EQ(sink.size(), 150000);
    EXPECT_EQ(fs::readExactly(in, 50000).size(), 50000);
    EXPECT_EQ(errorOf([&] { fs::readExactly(in, 1); }), vberr::InputPastEnd);
    in.seek(199990);
    EXPECT_EQ(errorOf([&] { fs::copyBytes(in, out, 11); }), vberr::InputPastEnd);
}

TEST(FsStreams, FullDiskIsErrorSixtyOne)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const auto full = fs::openForWrite(QStringLiteral("/dev/full"));
    EXPECT_EQ(errorOf([&] { fs::writeBytes(*full, QByteArray(70000, 'x')); }), vberr::DiskFull);
}

// A new file is made exactly where asked, never over an entry that is there (a link among
// them, also one to nothing), and never left behind without all its bytes.
TEST(FsStreams, NewFileIsMadeWholeOrNotAtAll)
{
    TempFolder root;
    root.write("taken.txt", "user's");
    ASSERT_TRUE(QFile::link(root.nativePath("taken.txt"), root.nativePath("link.txt")));
    ASSERT_TRUE(QFile::link(root.nativePath("nowhere.txt"), root.nativePath("dangling.txt")));
    QByteArray source = "0123456789";
    QBuffer from(&source);
    ASSERT_TRUE(from.open(QIODevice::ReadOnly));
    struct Case {
        const char* name;
        qint64 offset;
        qint64 count;
        int number;
    };
    const Case cases[] = {
        {"made.txt", 2, 5, 0},
        {"taken.txt", 0, 4, vberr::PathFileAccess},
        {"link.txt", 0, 4, vberr::PathFileAccess},
        {"dangling.txt", 0, 4, vberr::PathFileAccess},
        {"cut.txt", 6, 5, vberr::InputPastEnd},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf([&] { fs::writeNewFileExactly(root.nativePath(c.name), from, c.offset, c.count); }), c.number);
    }
    EXPECT_EQ(root.read("made.txt"), "23456");
    EXPECT_EQ(root.read("taken.txt"), "user's");
    EXPECT_FALSE(QFileInfo::exists(root.nativePath("nowhere.txt")));
    EXPECT_FALSE(QFileInfo::exists(root.nativePath("cut.txt")));
}

// Every character a Linux name may hold but NUL: the name reaches the disk as it stands.
TEST_F(FileTree, NamesHoldEveryCharacterLinuxAllows)
{
    const QString names[] = {
        QStringLiteral("Mum's \"60th\" <party>.MVL"),
        QStringLiteral("a|b.txt"),
        QStringLiteral("tab\there"),
    };
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        fs::writeAtomic(in(name), "bytes");
        EXPECT_TRUE(QFile::exists(root.nativePath(name)));
        EXPECT_TRUE(fs::isFile(in(name.toUpper())));
        EXPECT_EQ(fs::dir(in(name)), QStringList{name});
        EXPECT_EQ(fs::readAll(in(name)), "bytes");
        fs::rename(in(name), in(name + QStringLiteral(".old")));
        fs::removeFile(in(name + QStringLiteral(".old")));
        EXPECT_FALSE(QFile::exists(root.nativePath(name + QStringLiteral(".old"))));
    }
}

// A link put into a folder after the program started: an atomic replace puts a new file in
// the link's place and leaves the link's target as it was; the package path a user linked is
// written through its link on request.
TEST_F(FileTree, AtomicReplaceWritesTheEntryNotTheLinksTarget)
{
    struct Case {
        const char* what;
        std::function<void(const QString&)> write;
        bool followsLink;
    };
    const Case cases[] = {
        {"whole file", [](const QString& path) { fs::writeAtomic(path, "new"); }, false},
        {"copy", [&](const QString& path) { root.write("source", "new"); fs::copyFile(in("source"), path); }, false},
        {"opened file",
         [](const QString& path) {
             auto file = fs::openAtomic(path);
             fs::writeBytes(*file, "new");
             fs::commitAtomic(*file);
         },
         false},
        {"user's link",
         [](const QString& path) {
             auto file = fs::openAtomic(path, fs::LinkPolicy::FollowUsersLink);
             fs::writeBytes(*file, "new");
             fs::commitAtomic(*file);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        root.write("outside/target.txt", "user's own");
        QFile::remove(root.nativePath("Temp/Party.MVK"));
        ASSERT_TRUE(QFile::link(root.nativePath("outside/target.txt"), root.nativePath("Temp/Party.MVK")));
        c.write(in("Temp\\Party.MVK"));
        const QFileInfo entry(root.nativePath("Temp/Party.MVK"));
        EXPECT_EQ(entry.isSymLink(), c.followsLink);
        EXPECT_EQ(root.read("Temp/Party.MVK"), "new");
        EXPECT_EQ(root.read("outside/target.txt"), c.followsLink ? "new" : "user's own");
        EXPECT_EQ(QDir(root.nativePath("Temp")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"Party.MVK"});
    }
}

TEST_F(FileTree, AtomicReplaceKeepsPermissionsAndLeavesNothingWhenDropped)
{
    root.write("Temp/data.MVK", "old");
    QFile::setPermissions(root.nativePath("Temp/data.MVK"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    fs::writeAtomic(in("Temp\\data.MVK"), "new");
    const QFile::Permissions userBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFileInfo(root.nativePath("Temp/data.MVK")).permissions() & ~userBits,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    {
        auto dropped = fs::openAtomic(in("Temp\\data.MVK"));
        fs::writeBytes(*dropped, "never committed");
        EXPECT_TRUE(QFile::exists(dropped->temporaryPath()));
        EXPECT_TRUE(fs::isAtomicTemporaryName(QFileInfo(dropped->temporaryPath()).fileName()));
    }
    EXPECT_EQ(root.read("Temp/data.MVK"), "new");
    EXPECT_EQ(QDir(root.nativePath("Temp")).entryList(QDir::Files | QDir::Hidden), QStringList{"data.MVK"});
}

// A save killed halfway leaves its temporary file; the cleaner takes it once no process holds
// it, and never a file of the user's that only looks like one.
TEST_F(FileTree, CleanerRemovesOnlyTemporaryFilesOfEndedWriters)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::fflush(nullptr);
    const pid_t writer = ::fork();
    if (writer == 0) {
        auto file = fs::openAtomic(in("Party.MVL"));
        fs::writeBytes(*file, QByteArray(100000, 'x'));
        (void)::write(ready[1], "r", 1);
        ::pause();
        ::_exit(0);
    }
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    const QStringList lookAlikes = {"Party.MVL.backup", "Party.MVL.a1B2c3", "Party.MVL.vantrel-save-abc",
                                    "Party.MVL.vantrel-save-abcdef.old"};
    for (const QString& name : lookAlikes)
        root.write(name, "user's");
    const auto temporaries = [&] {
        QStringList found;
        for (const QString& name : QDir(root.native()).entryList(QDir::Files | QDir::Hidden))
            if (fs::isAtomicTemporaryName(name))
                found << name;
        return found;
    };
    ASSERT_EQ(temporaries().size(), 1);
    fs::removeInterruptedWrites(root.internal());
    EXPECT_EQ(temporaries().size(), 1) << "the running writer's file stays";

    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    fs::removeInterruptedWrites(root.internal());
    EXPECT_TRUE(temporaries().isEmpty());
    for (const QString& name : lookAlikes)
        EXPECT_EQ(root.read(name), "user's") << name.toStdString();
    EXPECT_FALSE(QFile::exists(root.nativePath("Party.MVL")));
    ::close(ready[0]);
    ::close(ready[1]);
}

// A disk that fills up, in the write and in the commit that writes the last bytes, whatever
// language the messages of the C library speak.
TEST(FsStreams, FullDiskDuringAnAtomicSaveIsErrorSixtyOne)
{
    TempFolder root;
    const QByteArray disk = QFile::encodeName(root.nativePath("disk"));
    QDir().mkpath(root.nativePath("disk"));
    const QString target = root.internalPath("disk\\Party.MVL");
    for (const int bytes : {40 * 1024, 300 * 1024}) {
        SCOPED_TRACE(bytes);
        const int number = exitCodeOfChild([&] {
            std::setlocale(LC_ALL, "de_DE.UTF-8");
            if (!forked::mountSmallDisk(disk, 16 * 1024))
                return forked::kCannotSetUp;
            try {
                fs::writeAtomic(target, QByteArray(bytes, 'x'));
            } catch (const platform::VbError& error) {
                const bool leftNothing = QDir(root.nativePath("disk")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
                return leftNothing ? error.number : 1;
            }
            return 0;
        });
        if (number == forked::kCannotSetUp)
            GTEST_SKIP() << "no private tmpfs can be mounted here";
        EXPECT_EQ(number, vberr::DiskFull);
    }
}

// Where the file system keeps no mark, a marked write writes nothing: it raises 75 naming the
// file and leaves no file behind, not even its temporary one.
TEST(FsStreams, MarkedWriteOnADiskWithoutAttributesWritesNothing)
{
    TempFolder root;
    QDir().mkpath(root.nativePath("disk"));
    const QByteArray disk = QFile::encodeName(root.nativePath("disk"));
    const int code = exitCodeOfChild([&] {
        if (!forked::mountDiskWithoutAttributes(disk))
            return forked::kCannotSetUp;
        try {
            fs::writeAtomic(root.internalPath("disk\\count.txt"), "bytes", "mark");
        } catch (const platform::VbError& error) {
            const bool leftNothing = QDir(root.nativePath("disk")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            return leftNothing && error.number == vberr::PathFileAccess && error.path == root.nativePath("disk/count.txt") ? 0 : 2;
        }
        return 1;
    });
    if (code == forked::kCannotSetUp)
        GTEST_SKIP() << "no file system without extended attributes can be mounted here";
    EXPECT_EQ(code, 0);
}

// A folder or file that cannot be written: the error names it.
TEST_F(FileTree, PermissionDeniedNamesTheFolderOrFile)
{
    root.makeFolder("locked");
    root.write("locked/old.txt", "old");
    QFile::setPermissions(root.nativePath("locked"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                          QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    struct Case {
        const char* what;
        std::function<void()> write;
        QString named;
    };
    const QString lockedFolder = root.nativePath("locked");
    const Case cases[] = {
        {"atomic, new file", [&] { fs::writeAtomic(in("locked\\new.txt"), "x"); }, lockedFolder},
        {"plain, new file", [&] { fs::writeAll(in("locked\\new.txt"), "x"); }, lockedFolder},
        {"atomic, existing file", [&] { fs::writeAtomic(in("locked\\old.txt"), "x"); }, lockedFolder},
        {"hidden flag of the folder", [&] { fs::setHidden(in("locked"), true); }, lockedFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int code = exitCodeOfChild([&] {
            if (!forked::dropRights())
                return forked::kCannotSetUp;
            try {
                c.write();
            } catch (const platform::VbError& error) {
                return error.number == vberr::PermissionDenied && error.path == c.named ? 0 : 2;
            }
            return 1;
        });
        if (code == forked::kCannotSetUp)
            GTEST_SKIP() << "cannot run as a user without rights here";
        EXPECT_EQ(code, 0);
    }
    QFile::setPermissions(lockedFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

TEST(FsNames, ANameThatIsNotUtf8TextOrHoldsABackslashIsSaidNamingTheFileOrFolder)
{
    TempFolder root;
    const QByteArray rootBytes = QFile::encodeName(root.native());
    RawEntries raw;
    raw.makeFile(rootBytes + "/F\xeate.MVL");
    raw.makeFolder(rootBytes + "/Caf\xe9");
    raw.makeFile(rootBytes + "/Caf\xe9/Party.MVL");
    raw.makeFile(rootBytes + "/Real \xef\xbf\xbd.MVL"); // the replacement character itself, as UTF-8
    raw.makeFile(rootBytes + "/a\\b.MVL");
    const QString unreadable(QChar::ReplacementCharacter);
    const QString cafe = root.native() + "/Caf" + unreadable;

    struct Case {
        QString asked;
        QString kind;  // empty: the path can be taken
        QString named;
    };
    const Case cases[] = {
        {root.native() + "/F" + unreadable + "te.MVL", "file", root.native() + "/F" + unreadable + "te.MVL"},
        {cafe + "/Party.MVL", "folder", cafe},
        {cafe, "folder", cafe},
        {root.native() + "/Gone" + unreadable + ".MVL", {}, {}},
        {root.native() + "/Real " + unreadable + ".MVL", {}, {}},
        {root.native() + "/a\\b.MVL", "file", root.native() + "/a\\b.MVL"},
        {root.native() + "/Plain.MVL", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked.toStdString());
        const QString why = fs::whyNativePathCannotBeTaken(c.asked);
        if (c.kind.isEmpty()) {
            EXPECT_EQ(why, QString());
            continue;
        }
        EXPECT_TRUE(why.startsWith("The " + c.kind + " " + c.named + " cannot be opened: ")) << why.toStdString();
        EXPECT_TRUE(why.contains("Rename the " + c.kind)) << why.toStdString();
    }
    EXPECT_TRUE(fs::whyNativePathCannotBeTaken(cafe).contains("not UTF-8 text"));
}
