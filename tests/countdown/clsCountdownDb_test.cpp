#include "countdown/QStringPrinting.h"
#include "countdown/clsCountdown.h"
#include "countdown/clsCountdownDb.h"
#include "foundation/OleDate.h"
#include "support/FixedClock.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const double kNow = vb::oleDateFromParts(2026, 12, 10, 15, 4, 5);

} // namespace

class CountdownDb : public ProgramFolderTest<> {};

TEST_F(CountdownDb, NewCountdownDefaultsWithoutAFile)
{
    FixedClock clock(kNow + 0.4 / 86400);
    clsCountdown countdown;
    countdown.setEventCaption("Old");
    clsCountdownDb().Find_Countdown(countdown);

    EXPECT_TRUE(services.ui().msgBoxes.empty());
    EXPECT_EQ(countdown.EventCaption(), "New Event Countdown");
    EXPECT_EQ(countdown.AlarmFileName(), "Bell.mp3");
    EXPECT_EQ(countdown.EventCaptionFontsize(), 10.0f);
    EXPECT_EQ(countdown.TimerDateFontsize(), 8.0f);
    EXPECT_EQ(countdown.EventDateBackColor(), static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(countdown.TimerDateForeColor(), static_cast<int32_t>(0x80000008u));
    EXPECT_TRUE(countdown.IntervalSeconds());
    EXPECT_FALSE(countdown.IntervalWorkDays());
    EXPECT_FALSE(countdown.StatusBarURLVisible());
    EXPECT_EQ(countdown.StatusBarURLCaption(), "Name Your Site");
    EXPECT_EQ(countdown.CreationDate(), kNow) << "to the whole second";
    EXPECT_EQ(countdown.EventDate(), vb::oleDateFromParts(2026, 12, 10));
    EXPECT_EQ(countdown.EventDateFormat(), "MMM dd, yyyy");
    EXPECT_EQ(countdown.ImagePos(), 9);
    EXPECT_EQ(countdown.ViewFormat(), 1);
    EXPECT_EQ(countdown.SaveFormat(), "0");
    EXPECT_TRUE(countdown.SaveFileName().endsWith("/Countdowns"));
}

TEST_F(CountdownDb, NewCountdownWindowIs600By450ReferencePixels)
{
    const struct {
        int width, height;
        double twips;
        float expectedWidth;
    } screens[] = {
        {800, 600, 15, 9000}, {1024, 768, 15, 9000}, {1280, 1024, 15, 9000}, {1366, 768, 15, 9000},
        {1920, 1080, 15, 9000}, {2560, 1440, 15, 9000}, {1280, 1024, 12, 7200},
    };
    for (const auto& s : screens) {
        SCOPED_TRACE(testing::Message() << s.width << "x" << s.height << " @" << s.twips);
        TestServices screenServices;
        screenServices.screen().widthPixels = s.width;
        screenServices.screen().heightPixels = s.height;
        screenServices.screen().twipsX = screenServices.screen().twipsY = s.twips;
        clsCountdown countdown;
        clsCountdownDb().Find_Countdown(countdown);
        EXPECT_EQ(countdown.Width(), s.expectedWidth);
        EXPECT_EQ(countdown.Height(), s.expectedWidth * 0.75f);
        EXPECT_EQ(countdown.Top(), 0.0f);
        EXPECT_EQ(countdown.Left(), 0.0f);
    }
}

TEST_F(CountdownDb, SavedCountdownReadsBackFromItsFolder)
{
    FixedClock clock(kNow);
    clsCountdown saved;
    clsCountdownDb().Find_Countdown(saved);
    saved.setDatabaseLocation(folder.internalPath("Temp"));
    saved.setCountdownFileName("Party.MVK");
    saved.setEventCaption("Party");
    EXPECT_TRUE(saved.Update());
    EXPECT_TRUE(QFileInfo::exists(folder.nativePath("Temp/Party.MVK"))) << "the folder is made";

    clsCountdown loaded;
    loaded.setDatabaseLocation(saved.DatabaseLocation());
    loaded.setCountdownFileName("party.mvk");
    loaded.Refresh();
    EXPECT_EQ(loaded.EventCaption(), "Party");
    EXPECT_EQ(loaded.CountdownFileName(), "Party.MVK") << "the name stored in the file wins";
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(CountdownDb, EmptyFileNameWritesNothing)
{
    clsCountdown countdown;
    countdown.setDatabaseLocation(work);
    EXPECT_TRUE(countdown.Update());
    EXPECT_TRUE(QDir(folder.nativePath("Temp")).isEmpty());
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(CountdownDb, FailedSaveKeepsTheOldFileAndShowsOneMessage)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "a read-only folder does not stop the superuser";
    const QByteArray old = "old countdown bytes";
    folder.write("Party.MVK", old);
    ASSERT_TRUE(QFile::setPermissions(folder.native(), QFile::ReadOwner | QFile::ExeOwner));

    clsCountdown countdown;
    countdown.setDatabaseLocation(folder.internal());
    countdown.setCountdownFileName("Party.MVK");
    const bool written = countdown.Update();
    QFile::setPermissions(folder.native(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_FALSE(written);
    EXPECT_EQ(folder.read("Party.MVK"), old);
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_TRUE(services.ui().msgBoxes[0].prompt.contains('\n'));
}

// An event date after 9999 cannot be written: the save fails as a whole, with one message,
// and the old file stays, so the save chain has nothing short to pack.
TEST_F(CountdownDb, LineThatCannotBeWrittenFailsTheSaveAndKeepsTheOldFile)
{
    const QByteArray old = "old countdown bytes";
    folder.write("Party.MVK", old);
    clsCountdown countdown;
    countdown.setDatabaseLocation(folder.internal());
    countdown.setCountdownFileName("Party.MVK");
    countdown.setEventDate(vb::oleDateFromParts(10000, 1, 1));

    EXPECT_FALSE(countdown.Update());
    EXPECT_EQ(services.ui().prompts(), QStringList{"6\nOverflow"});
    EXPECT_EQ(folder.read("Party.MVK"), old);
    EXPECT_EQ(QDir(folder.native()).entryList(QDir::Files | QDir::Hidden), QStringList{"Party.MVK"});
}

TEST_F(CountdownDb, SaveOverSomethingThatIsNotAFileShowsOneMessage)
{
    folder.write("Party.MVK/inside.txt", "kept");
    clsCountdown countdown;
    countdown.setDatabaseLocation(folder.internal());
    countdown.setCountdownFileName("Party.MVK");
    EXPECT_FALSE(countdown.Update());
    EXPECT_EQ(folder.read("Party.MVK/inside.txt"), "kept");
    EXPECT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(QDir(folder.native()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "no temporary file left";
}

TEST_F(CountdownDb, FolderThatCannotBeMadeShowsOneMessage)
{
    clsCountdown countdown;
    countdown.setDatabaseLocation(folder.internalPath("missing\\deeper"));
    countdown.setCountdownFileName("Party.MVK");
    EXPECT_FALSE(countdown.Update());
    EXPECT_EQ(services.ui().msgBoxes.size(), 1u);
}

// A file that is there but cannot be opened (a socket opens for no one, the superuser included):
// the open failure, then the first line that cannot be read, then the format message.
TEST_F(CountdownDb, FileThatCannotBeOpenedReportsEachStepAndChangesNothing)
{
    const QByteArray socketPath = QFile::encodeName(folder.nativePath("Party.MVK"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(socketPath.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, socketPath.constData(), static_cast<size_t>(socketPath.size()));
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socketFd, 0);
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    clsCountdown countdown;
    countdown.setDatabaseLocation(folder.internal());
    countdown.setCountdownFileName("Party.MVK");
    countdown.setEventCaption("Kept");
    countdown.Refresh();
    ::close(socketFd);

    EXPECT_EQ(services.ui().prompts(),
              QStringList({"75\nPath/File access error", "52\nBad file name or number",
                           "The Countdown\r\nParty.MVK is not in a format that can be processed.\r\n"
                           "Please report this incident to Vantrel International, LLC"}));
    EXPECT_EQ(countdown.EventCaption(), "Kept");
    EXPECT_EQ(countdown.CountdownFileName(), "Party.MVK");
}
