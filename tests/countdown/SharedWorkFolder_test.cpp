#include "countdown/HandMadePackage.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/QStringPrinting.h"
#include "platform/HeldFolder.h"
#include "support/ForkedChild.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Every program of a program folder unpacks into the one work folder. These tests run the
// other program as a real second process (a forked child) and check the bytes on disk.
namespace {

using platform::fs::HeldFolder;

const QByteArray kOwnData = pattern(300, 1);
const QByteArray kRed = pattern(5000, 2);
const QByteArray kBlue = pattern(5000, 3);
const QByteArray kOwnSound = pattern(700, 4);

// Runs `work` in a child process and returns its exit status (-1 when it did not exit).
int inChildProcess(const std::function<int()>& work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// While it lives, no file of this process grows past `bytes`: a longer write fails (EFBIG, its
// signal ignored) much as on a full disk, with no file system to mount. Undone when it ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_oldSignal(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldSignal)(int);
    bool m_set = false;
};

class SharedWorkFolder : public ProgramFolderTest<> {
protected:
    void SetUp() override
    {
        context.appPath = folder.makeFolder(QStringLiteral("app"));
        work = folder.makeFolder(QStringLiteral("app/Temp"));
        own = folder.write(QStringLiteral("app/Countdowns/Party.MVL"), ownPackage);
    }

    QString inWork(const QString& name) const { return QStringLiteral("app/Temp/") + name; }
    bool open(const QString& package) { return ModJoinsSkins::OpenCountdownPackage(package, false, work); }
    // As the window's save does: the data file is written first, then the package rebuilt.
    void save(const QString& package)
    {
        folder.write(inWork(QStringLiteral("Party.MVK")), kOwnData);
        ModJoinsSkins::SaveCountdownPackage(package, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                            QStringLiteral("Party.MVK"), QStringLiteral("photo.png"),
                                            QStringLiteral("ring.wav"), QString(), work);
    }
    QByteArray ownPackageOnDisk() const { return folder.read(QStringLiteral("app/Countdowns/Party.MVL")); }
    QStringList workEntries() const
    {
        return QDir(folder.nativePath(QStringLiteral("app/Temp")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    const QByteArray ownPackage =
        makePackage({"Party.MVK", kOwnData}, {"photo.png", kRed}, {"ring.wav", kOwnSound}, {}, "Party");
    QString own;
};

// Whatever becomes of the work folder's copies after this process opened its package, its
// next save packs the picture and sound it opened.
TEST_F(SharedWorkFolder, ASaveKeepsTheMediaThisProcessOpened)
{
    struct Case {
        const char* what;
        std::function<void()> meanwhile;
    };
    const Case cases[] = {
        {"another viewer opens a package whose media share the names",
         [this] {
             const QString other = folder.write(
                 QStringLiteral("Downloads/Party.MVL"),
                 makePackage({"Party.MVK", "theirs"}, {"photo.png", kBlue}, {"ring.wav", "x"}, {}, "Party"));
             EXPECT_EQ(inChildProcess([&] { return open(other) ? 0 : 1; }), 0);
             EXPECT_EQ(folder.read(inWork(QStringLiteral("photo.png"))), kBlue);
         }},
        {"the copies are deleted",
         [this] {
             QFile::remove(folder.nativePath(inWork(QStringLiteral("photo.png"))));
             QFile::remove(folder.nativePath(inWork(QStringLiteral("ring.wav"))));
         }},
        {"the copies are replaced by other files",
         [this] {
             folder.write(QStringLiteral("elsewhere/photo.png"), kBlue);
             QFile::remove(folder.nativePath(inWork(QStringLiteral("photo.png"))));
             QFile::rename(folder.nativePath(QStringLiteral("elsewhere/photo.png")),
                           folder.nativePath(inWork(QStringLiteral("photo.png"))));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(open(own));
        c.meanwhile();
        services.ui().msgBoxes.clear();

        save(own);

        EXPECT_EQ(ownPackageOnDisk(), ownPackage);
        EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
    }
}

// The screen saver unpacks the last-opened package (another one) while the viewer is open.
TEST_F(SharedWorkFolder, AViewerWhileTheScreenSaverUnpacksAnotherPackage)
{
    const QString last = folder.write(QStringLiteral("app/Countdowns/Other.MVL"),
                                      makePackage({"Other.MVK", "other"}, {"photo.png", kBlue}, {}, {}, "Other"));
    ASSERT_TRUE(open(own));
    ASSERT_EQ(inChildProcess([&] {
                  const bool opened = ModJoinsSkins::OpenCountdownPackage(last, false, work);
                  return opened && services.ui().msgBoxes.empty() ? 0 : 1;
              }),
              0);

    save(own);

    EXPECT_EQ(ownPackageOnDisk(), ownPackage);
}

// A medium that could not be placed in the work folder keeps its bytes in the next save.
TEST_F(SharedWorkFolder, AMediumThatCouldNotBePlacedIsSavedWithItsBytes)
{
    QDir().mkpath(folder.nativePath(inWork(QStringLiteral("photo.png"))));

    ASSERT_TRUE(open(own));
    EXPECT_EQ(services.ui().prompts(), QStringList{"58\r\nFile already exists"});
    save(own);

    EXPECT_EQ(ownPackageOnDisk(), ownPackage);
}

// A picture that cannot be staged (the write of its file fails) is not placed, and its bytes,
// kept in the package, reach the next save. Only a file limit, so it runs everywhere.
TEST_F(SharedWorkFolder, AMediumWhoseStagingFailsIsSavedWithItsBytes)
{
    {
        FileSizeLimit limit(kRed.size() / 2);
        ASSERT_TRUE(limit.isSet());
        ASSERT_TRUE(open(own));
    }
    EXPECT_EQ(services.ui().prompts(), QStringList{"57\r\nDevice I/O error"});
    EXPECT_FALSE(QFile::exists(folder.nativePath(inWork(QStringLiteral("photo.png")))));
    EXPECT_EQ(folder.read(inWork(QStringLiteral("ring.wav"))), kOwnSound);
    services.ui().msgBoxes.clear();

    save(own);

    EXPECT_EQ(ownPackageOnDisk(), ownPackage);
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
}

// A full disk while a member is staged says so, places no cut file, and the member's bytes
// still reach the next save. The child mounts a small file system as the work folder.
TEST_F(SharedWorkFolder, AFullDiskWhileUnpackingIsDiskFullAndLosesNoMember)
{
    const QString big = folder.write(QStringLiteral("app/Countdowns/Big.MVL"),
                                     makePackage({"Party.MVK", kOwnData}, {"photo.png", pattern(200000, 5)},
                                                 {"ring.wav", kOwnSound}, {}, "Party"));
    const QString small = folder.makeFolder(QStringLiteral("small"));
    const QString report = folder.nativePath(QStringLiteral("report.txt"));
    const int status = inChildProcess([&] {
        if (!forked::mountSmallDisk(QFile::encodeName(folder.nativePath(QStringLiteral("small"))), 128 * 1024))
            return 77;
        work = folder.makeFolder(QStringLiteral("small/Temp"));
        ModJoinsSkins::OpenCountdownPackage(big, false, work);
        const bool noCutPicture = !QFile::exists(folder.nativePath(QStringLiteral("small/Temp/photo.png")));
        ModJoinsSkins::SaveCountdownPackage(big, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                            QStringLiteral("Party.MVK"), QStringLiteral("photo.png"),
                                            QStringLiteral("ring.wav"), QString(), work);
        QFile out(report);
        out.open(QIODevice::WriteOnly);
        out.write(services.ui().prompts().join('|').toUtf8());
        return noCutPicture ? 0 : 1;
    });
    if (status == 77)
        GTEST_SKIP() << "no way to mount a small file system here";

    EXPECT_EQ(status, 0) << "a cut picture was placed in the work folder";
    EXPECT_EQ(folder.read(QStringLiteral("report.txt")), QByteArray("61\r\nDisk full"));
    EXPECT_EQ(folder.read(QStringLiteral("app/Countdowns/Big.MVL")),
              makePackage({"Party.MVK", kOwnData}, {"photo.png", pattern(200000, 5)}, {"ring.wav", kOwnSound}, {},
                          "Party"));
}

TEST_F(SharedWorkFolder, ASaveThatCannotGetTheOpenedBytesFailsOnceAndKeepsThePackage)
{
    ASSERT_TRUE(open(own));
    // The user empties the work folder while the viewer runs.
    QDir(folder.nativePath(QStringLiteral("app/Temp"))).removeRecursively();
    QDir().mkpath(folder.nativePath(QStringLiteral("app/Temp")));

    save(own);

    ASSERT_EQ(services.ui().msgBoxes.size(), 1u) << services.ui().prompts().join('|').toStdString();
    EXPECT_TRUE(services.ui().msgBoxes[0].prompt.startsWith(QStringLiteral("53\r\nFile not found")));
    EXPECT_TRUE(services.ui().msgBoxes[0].prompt.contains(QStringLiteral("photo.png")));
    EXPECT_EQ(ownPackageOnDisk(), ownPackage);
}

TEST_F(SharedWorkFolder, AProcessThatEndsNormallyLeavesNothingOfItsOwn)
{
    ASSERT_EQ(inChildProcess([&] {
                  open(own);
                  std::exit(0);
                  return 1;
              }),
              0);

    EXPECT_EQ(workEntries(), (QStringList{"Party.MVK", "photo.png", "ring.wav"}));
}

// Only the leftovers of ended processes go: folders of the programs' own names that no
// running process holds. A user's entries of similar names stay.
TEST_F(SharedWorkFolder, RemoveInterruptedUnpacksTakesOnlyUnheldLeftovers)
{
    const QString temp = folder.nativePath(QStringLiteral("app/Temp"));
    // Leftovers of killed processes: a child that places and stages, then ends without
    // cleaning up.
    ASSERT_EQ(inChildProcess([&]() -> int {
                  open(own);
                  HeldFolder staging(temp, QStringLiteral(".unpacking-"));
                  QFile part(staging.nativePath() + QStringLiteral("/photo.png"));
                  part.open(QIODevice::WriteOnly);
                  part.write("half");
                  part.flush();
                  ::_exit(0); // killed: nothing is cleaned up
              }),
              0);
    // What a user keeps in the work folder under similar names.
    folder.write(inWork(QStringLiteral(".unpacking-abc123")), "a file");
    folder.write(inWork(QStringLiteral(".unpacking-mine/keep.txt")), "other name");
    folder.write(inWork(QStringLiteral(".opened-abc123/inner/keep.txt")), "holds a folder");
    folder.write(QStringLiteral("outside/keep.txt"), "linked to");
    QFile::link(folder.nativePath(QStringLiteral("outside")), folder.nativePath(inWork(QStringLiteral(".opened-lnk123"))));
    const QStringList userEntries{".opened-abc123", ".opened-lnk123", ".unpacking-abc123", ".unpacking-mine",
                                  "Party.MVK", "photo.png", "ring.wav"};

    // Folders held by a running process.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::close(release[1]);
        HeldFolder staging(temp, QStringLiteral(".unpacking-"));
        HeldFolder opened(temp, QStringLiteral(".opened-"));
        char byte = 1;
        ::write(ready[1], &byte, 1);
        ::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    QStringList held = workEntries();
    for (const QString& entry : userEntries)
        held.removeAll(entry);
    ASSERT_EQ(held.size(), 4) << held.join(' ').toStdString(); // the killed child's two, the holder's two

    ModJoinsSkins::RemoveInterruptedUnpacks(work);
    const QStringList whileHeld = workEntries();

    ::close(release[1]);
    ::waitpid(holder, nullptr, 0);
    ModJoinsSkins::RemoveInterruptedUnpacks(work);

    EXPECT_EQ(whileHeld.size(), userEntries.size() + 2) << whileHeld.join(' ').toStdString();
    EXPECT_EQ(workEntries(), userEntries);
    EXPECT_EQ(folder.read(inWork(QStringLiteral(".opened-abc123/inner/keep.txt"))), QByteArray("holds a folder"));
    EXPECT_EQ(folder.read(QStringLiteral("outside/keep.txt")), QByteArray("linked to"));
}

} // namespace
