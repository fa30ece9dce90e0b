#include "countdown/HandMadePackage.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/PackageHeader.h"
#include "countdown/PackageProgress.h"
#include "countdown/QStringPrinting.h"
#include "platform/VbError.h"
#include "support/ForkedChild.h"
#include "support/ProgramFolderFixture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using platform::VbError;

QByteArray fixture(const QString& name)
{
    QFile file(QStringLiteral(VANTREL_TEST_DATA_DIR "/countdown/package/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// Records what the writer shows, and can act at a chosen percentage.
struct ProgressLog {
    QStringList captions;
    std::vector<int> percents;
    int shown = 0;
    int closed = 0;
    std::map<int, std::function<void()>> at;
};

class RecordingProgress : public PackageProgress {
public:
    explicit RecordingProgress(ProgressLog& log) : m_log(log) {}
    void showProgress() override { ++m_log.shown; }
    void setCaption(const QString& text) override { m_log.captions << text; }
    void setPercent(int percent) override
    {
        m_log.percents.push_back(percent);
        if (m_log.at.count(percent))
            m_log.at[percent]();
    }
    void closeProgress() override { ++m_log.closed; }

private:
    ProgressLog& m_log;
};

class Package : public ProgramFolderTest<> {
protected:
    void SetUp() override
    {
        setPackageProgressFactory([this] { return std::make_unique<RecordingProgress>(progress); });
    }
    void TearDown() override
    {
        setPackageProgressFactory({});
    }

    QString inWork(const QString& name) const { return QStringLiteral("Temp/") + name; }
    void putInWork(const QString& name, const QByteArray& bytes) const { folder.write(inWork(name), bytes); }
    QByteArray readWork(const QString& name) const { return folder.read(inWork(name)); }
    // Every entry but the private folder where this process keeps the media it opened.
    QStringList workFiles() const
    {
        QStringList names = QDir(folder.nativePath(QStringLiteral("Temp")))
                                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        names.removeIf([this](const QString& name) {
            return name.startsWith(QStringLiteral(".opened-")) && QFileInfo(folder.nativePath(inWork(name))).isDir();
        });
        return names;
    }
    QString writePackage(const QString& name, const QByteArray& bytes) const { return folder.write(name, bytes); }

    bool save(const QString& package, const QString& data, const QString& picture = {},
              const QString& sound = {}, const QString& logo = {})
    {
        return ModJoinsSkins::SaveCountdownPackage(package, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                                   data, picture, sound, logo, work);
    }
    // The last line of every message of a save that did not happen.
    QString notSavedIn(const QString& name) const
    {
        return QStringLiteral("\r\nThe countdown was not saved in ") + folder.nativePath(name) + QLatin1Char('.');
    }
    bool open(const QString& package, bool pictureOnly = false)
    {
        return ModJoinsSkins::OpenCountdownPackage(package, pictureOnly, work);
    }

    ProgressLog progress;
};

TEST_F(Package, SaveWritesTheHeaderExampleByteForByte)
{
    putInWork(QStringLiteral("Countdown1.MVK"), fixture(QStringLiteral("Countdown1.MVK")));
    const QString package = folder.internalPath(QStringLiteral("Countdown1.MVL"));

    save(package, QStringLiteral("Countdown1.MVK"));

    EXPECT_EQ(folder.read(QStringLiteral("Countdown1.MVL")), fixture(QStringLiteral("Countdown1.MVL")));
    EXPECT_EQ(progress.percents, (std::vector<int>{1, 10, 20, 40, 60, 80, 100}));
    EXPECT_EQ(progress.captions, QStringList{QStringLiteral("Saving Countdown...")});
    EXPECT_EQ(progress.shown, 1);
    EXPECT_EQ(progress.closed, 1);
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(Package, SaveWithoutDataFileNameDoesNothing)
{
    putInWork(QStringLiteral("Countdown1.MVK"), "x");
    save(folder.internalPath(QStringLiteral("P.MVL")), QString(), QStringLiteral("Countdown1.MVK"));

    EXPECT_FALSE(QFile::exists(folder.nativePath(QStringLiteral("P.MVL"))));
    EXPECT_EQ(progress.shown, 0);
}

TEST_F(Package, SaveThenOpenRestoresEveryMemberAndWritesMissingMediaAsEmpty)
{
    const QByteArray data = pattern(300, 1), picture = pattern(5000, 2), logo = pattern(70, 4);
    putInWork(QStringLiteral("Party.MVK"), data);
    putInWork(QStringLiteral("pic.jpg"), picture);
    putInWork(QStringLiteral("logo.gif"), logo);
    const QString package = folder.internalPath(QStringLiteral("Party.MVL"));

    // The sound is named but not in the work folder: its name is packed with no bytes.
    save(package, QStringLiteral("Party.MVK"), QStringLiteral("pic.jpg"), QStringLiteral("ring.wav"),
         QStringLiteral("logo.gif"));
    EXPECT_EQ(folder.read(QStringLiteral("Party.MVL")),
              makePackage({"Party.MVK", data}, {"pic.jpg", picture}, {"ring.wav", ""}, {"logo.gif", logo}, "Party"));

    for (const QString& name : workFiles())
        QFile::remove(folder.nativePath(inWork(name)));
    EXPECT_TRUE(open(package));

    EXPECT_EQ(workFiles(), (QStringList{"Party.MVK", "logo.gif", "pic.jpg", "ring.wav"}));
    EXPECT_EQ(readWork(QStringLiteral("Party.MVK")), data);
    EXPECT_EQ(readWork(QStringLiteral("pic.jpg")), picture);
    EXPECT_EQ(readWork(QStringLiteral("ring.wav")), QByteArray());
    EXPECT_EQ(readWork(QStringLiteral("logo.gif")), logo);
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
    EXPECT_EQ(services.ui().pointer, platform::vbcursor::vbDefault);
}

TEST_F(Package, OpenReplacesALongerDataFileAndIgnoresTrailingBytes)
{
    putInWork(QStringLiteral("A.MVK"), pattern(900, 9));
    const QString package = writePackage(QStringLiteral("A.MVL"), makePackage({"A.MVK", "short"}) + "left over");

    EXPECT_TRUE(open(package));
    EXPECT_EQ(readWork(QStringLiteral("A.MVK")), QByteArray("short"));
    EXPECT_EQ(workFiles(), QStringList{"A.MVK"});
}

TEST_F(Package, PictureOnlyLeavesSoundAndLogoInThePackage)
{
    const QString package = writePackage(
        QStringLiteral("A.MVL"), makePackage({"A.MVK", "d"}, {"p.png", "pp"}, {"s.wav", "ss"}, {"l.png", "ll"}));

    EXPECT_TRUE(open(package, true));
    EXPECT_EQ(workFiles(), (QStringList{"A.MVK", "p.png"}));
}

TEST_F(Package, MissingPackageWarnsAndChangesNothing)
{
    putInWork(QStringLiteral("keep.MVK"), "old");

    EXPECT_FALSE(open(folder.internalPath(QStringLiteral("gone.MVL"))));
    EXPECT_EQ(services.ui().prompts(),
              QStringList{"Warning. Countdown Clock file requested either has moved or has been deleted or the "
                          "information is unreadable."});
    EXPECT_EQ(services.ui().msgBoxes[0].buttons, platform::vbmsg::vbInformation);
    EXPECT_EQ(workFiles(), QStringList{"keep.MVK"});
    EXPECT_EQ(services.ui().pointer, platform::vbcursor::vbDefault);
}

// Every damaged package is refused whole: one message naming it, false, and the work folder
// exactly as it was (no member, no staging folder left behind).
struct DamagedCase {
    const char* what;
    QByteArray bytes;
};

void PrintTo(const DamagedCase& c, std::ostream* out)
{
    *out << c.what;
}

class DamagedPackage : public Package, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedPackage, IsRefusedAndTheWorkFolderStaysAsItWas)
{
    putInWork(QStringLiteral("A.MVK"), "old data");
    putInWork(QStringLiteral("p.png"), "old picture");
    const QString package = writePackage(QStringLiteral("Damaged.MVL"), GetParam().bytes);

    EXPECT_FALSE(open(package));

    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_TRUE(services.ui().msgBoxes[0].prompt.contains(folder.nativePath(QStringLiteral("Damaged.MVL"))))
        << services.ui().msgBoxes[0].prompt.toStdString();
    EXPECT_EQ(workFiles(), (QStringList{"A.MVK", "p.png"}));
    EXPECT_EQ(readWork(QStringLiteral("A.MVK")), QByteArray("old data"));
    EXPECT_EQ(readWork(QStringLiteral("p.png")), QByteArray("old picture"));
}

const QByteArray kGood = makePackage({"A.MVK", "new data"}, {"p.png", "new picture"});

INSTANTIATE_TEST_SUITE_P(
    Package, DamagedPackage,
    ::testing::Values(
        DamagedCase{"DataNameClimbsOut", makePackage({"..\\x", "new data"})},
        DamagedCase{"PictureNameClimbsOut", makePackage({"A.MVK", "d"}, {"../x.png", "p"})},
        DamagedCase{"NameWithSlash", makePackage({"a/b", "d"})},
        DamagedCase{"NameWithColon", makePackage({"A.MVK", "d"}, {"C:x", "p"})},
        DamagedCase{"NameIsDotDot", makePackage({"..", "d"})},
        DamagedCase{"NameWithWildcard", makePackage({"A.MVK", "d"}, {"*.png", "p"})},
        DamagedCase{"NameWithNul", makePackage({QByteArray("A\0B", 3), "d"})},
        DamagedCase{"EmptyDataName", makePackage({"", "d"})},
        DamagedCase{"TruncatedHeader", kGood.left(50)},
        DamagedCase{"PictureRunsPastTheEnd", kGood.left(kGood.size() - 1)},
        DamagedCase{"NameRunsPastTheEnd", kGood.left(94 + 5 + 5 + 8 + 3)},
        DamagedCase{"CountWithLetters", QByteArray(kGood).replace(22, 9, "12a      ")},
        DamagedCase{"CountWithInnerBlank", QByteArray(kGood).replace(22, 9, "1 2      ")},
        DamagedCase{"CountOfBlanks", QByteArray(kGood).replace(49, 9, "         ")},
        DamagedCase{"CountWithSign", QByteArray(kGood).replace(22, 9, "-8       ")},
        DamagedCase{"TitlePastTheEnd", QByteArray(kGood).replace(19, 3, "999")},
        DamagedCase{"Empty", QByteArray()},
        // The countdown windows read Damaged.MVK: a medium of that name would be read, and saved,
        // as the countdown.
        DamagedCase{"PictureNamedLikeTheDataFileTheWindowReads",
                    makePackage({"Other.MVK", "new data"}, {"Damaged.MVK", "new picture"})},
        DamagedCase{"LogoNamedLikeTheDataFileInOtherCase",
                    makePackage({"Damaged.MVK", "new data"}, {}, {}, {"damaged.mvk", "new logo"})}),
    [](const auto& testInfo) { return std::string(testInfo.param.what); });

TEST_F(Package, RenamedPackageOpensWithItsOwnCountdown)
{
    putInWork(QStringLiteral("Party.MVK"), "party data");
    save(folder.internalPath(QStringLiteral("Party.MVL")), QStringLiteral("Party.MVK"));
    QFile::rename(folder.nativePath(QStringLiteral("Party.MVL")), folder.nativePath(QStringLiteral("Party2.MVL")));
    QFile::remove(folder.nativePath(inWork(QStringLiteral("Party.MVK"))));

    EXPECT_TRUE(open(folder.internalPath(QStringLiteral("Party2.MVL"))));
    EXPECT_EQ(readWork(QStringLiteral("Party2.MVK")), QByteArray("party data"));
    EXPECT_EQ(readWork(QStringLiteral("Party.MVK")), QByteArray("party data"));
}

// Members that share a name are placed as reading them one after another would place them: the
// later member's bytes stay under the name, and the next save packs those bytes under every name
// that refers to them. Names that differ only in letter case are files of their own, each
// keeping its member's bytes.
TEST_F(Package, MembersSharingANameLoseNoBytesThroughTheNextSave)
{
    struct Case {
        const char* what;
        Member data, picture, sound, logo;
        Member alreadyInWork;
        QStringList workFiles;
        QByteArray keptBytes; // of the last name in workFiles
        QByteArray savedPackage;
    };
    const QByteArray d = pattern(300, 1), p = pattern(5000, 2), l = pattern(700, 4);
    const Case cases[] = {
        {"picture and logo are one file", {"A.MVK", d}, {"p.png", p}, {}, {"p.png", p}, {},
         {"A.MVK", "p.png"}, p, makePackage({"A.MVK", d}, {"p.png", p}, {}, {"p.png", p}, "A")},
        {"names differ in letter case", {"A.MVK", d}, {"Pic.png", p}, {}, {"PIC.PNG", l}, {},
         {"A.MVK", "PIC.PNG", "Pic.png"}, p, makePackage({"A.MVK", d}, {"Pic.png", p}, {}, {"PIC.PNG", l}, "A")},
        {"the work folder holds the name in other letter case", {"A.MVK", d}, {"PIC.PNG", p}, {}, {},
         {"pic.png", "old"}, {"A.MVK", "PIC.PNG"}, p, makePackage({"A.MVK", d}, {"PIC.PNG", p}, {}, {}, "A")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString& name : workFiles())
            QFile::remove(folder.nativePath(inWork(name)));
        if (!c.alreadyInWork.name.isEmpty())
            putInWork(QString::fromLatin1(c.alreadyInWork.name), c.alreadyInWork.bytes);
        services.ui().msgBoxes.clear();
        const QString package =
            writePackage(QStringLiteral("A.MVL"), makePackage(c.data, c.picture, c.sound, c.logo, "A"));

        EXPECT_TRUE(open(package));
        EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
        EXPECT_EQ(workFiles(), c.workFiles);
        EXPECT_EQ(readWork(c.workFiles.last()), c.keptBytes);

        save(package, c.data.name, c.picture.name, c.sound.name, c.logo.name);
        EXPECT_EQ(folder.read(QStringLiteral("A.MVL")), c.savedPackage);
    }
}

// The media rule: a work-folder file stays only when it already holds the member's bytes.
TEST_F(Package, MediaRuleKeepsOnlyAnIdenticalFile)
{
    struct Case {
        const char* what;
        std::optional<QByteArray> existing;
        QByteArray member;
        bool keptInPlace;
    };
    const Case cases[] = {
        {"same bytes", QByteArray("picture"), "picture", true},
        {"same length, other bytes", QByteArray("PICTURE"), "picture", false},
        {"other length", QByteArray("pic"), "picture", false},
        {"none yet", std::nullopt, "picture", false},
        {"empty member, empty file", QByteArray(), "", true},
        {"empty member, longer file", QByteArray("old"), "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(folder.nativePath(inWork(QStringLiteral("p.png"))));
        if (c.existing)
            putInWork(QStringLiteral("p.png"), *c.existing);
        const QString package = writePackage(QStringLiteral("A.MVL"), makePackage({"A.MVK", "d"}, {"p.png", c.member}));
        const QString nativePicture = folder.nativePath(inWork(QStringLiteral("p.png")));
        struct stat statBefore {};
        const bool existed = ::stat(QFile::encodeName(nativePicture).constData(), &statBefore) == 0;

        EXPECT_TRUE(open(package));

        struct stat statAfter {};
        ASSERT_EQ(::stat(QFile::encodeName(nativePicture).constData(), &statAfter), 0);
        EXPECT_EQ(readWork(QStringLiteral("p.png")), c.member);
        EXPECT_EQ(existed && statAfter.st_ino == statBefore.st_ino, c.keptInPlace);
    }
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(Package, FailedSaveKeepsTheOldPackageAndShowsOneMessage)
{
    const QByteArray oldPackage = makePackage({"A.MVK", "old"});
    const QString package = writePackage(QStringLiteral("A.MVL"), oldPackage);
    putInWork(QStringLiteral("A.MVK"), "data");
    putInWork(QStringLiteral("p.png"), pattern(4000, 3));
    // The picture shrinks after the header has counted its bytes.
    progress.at[20] = [this] { putInWork(QStringLiteral("p.png"), "cut"); };

    EXPECT_FALSE(save(package, QStringLiteral("A.MVK"), QStringLiteral("p.png")));

    EXPECT_EQ(services.ui().prompts(), QStringList{"62\r\nInput past end of file" + notSavedIn("A.MVL")});
    EXPECT_EQ(folder.read(QStringLiteral("A.MVL")), oldPackage);
    EXPECT_EQ(QDir(folder.native()).entryList(QDir::Files), QStringList{"A.MVL"});
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(Package, ReadOnlyPackageIsNotSavedWithTheTemplatesMessage)
{
    const QByteArray oldPackage = makePackage({"A.MVK", "old"});
    const QString package = writePackage(QStringLiteral("A.MVL"), oldPackage);
    const QByteArray native = QFile::encodeName(folder.nativePath(QStringLiteral("A.MVL")));
    QFile::setPermissions(folder.nativePath(QStringLiteral("A.MVL")), QFile::ReadOwner | QFile::ReadGroup);
    ::setxattr(native.constData(), "user.DOSATTRIB", "0x1", 3, 0); // root ignores the permission bits
    putInWork(QStringLiteral("A.MVK"), "data");

    EXPECT_FALSE(save(package, QStringLiteral("A.MVK")));

    EXPECT_EQ(services.ui().prompts(),
              QStringList{"75\r\nPath/File access error\r\nYou are not allowed to update provided Templates"
                          + notSavedIn("A.MVL")});
    EXPECT_EQ(progress.closed, 1);
    EXPECT_EQ(folder.read(QStringLiteral("A.MVL")), oldPackage);
}

// A folder the user may not write, holding a package the user may: the package cannot be
// replaced there, which is not a provided template's refusal.
TEST_F(Package, PackageInAFolderThatCannotBeWrittenIsNotSavedAndSaysWhy)
{
    const QByteArray oldPackage = makePackage({"A.MVK", "old"});
    const QString package = writePackage(QStringLiteral("Locked/A.MVL"), oldPackage);
    putInWork(QStringLiteral("A.MVK"), "data");
    const QString locked = folder.nativePath(QStringLiteral("Locked"));
    const auto everyone = [](QFile::Permissions rights) {
        return rights | QFile::Permissions::fromInt(rights.toInt() >> 4) | QFile::Permissions::fromInt(rights.toInt() >> 8);
    };
    ASSERT_TRUE(QFile::setPermissions(folder.nativePath(QStringLiteral("Locked/A.MVL")),
                                      everyone(QFile::ReadOwner | QFile::WriteOwner)));
    ASSERT_TRUE(QFile::setPermissions(locked, everyone(QFile::ReadOwner | QFile::ExeOwner)));

    const int code = exitCodeOfChild([&] {
        if (!forked::dropRights())
            return forked::kCannotSetUp;
        const bool saved = save(package, QStringLiteral("A.MVK"));
        const QStringList expected{"70\r\nPermission denied: " + locked + notSavedIn("Locked/A.MVL")};
        return !saved && services.ui().prompts() == expected ? 0 : 1;
    });
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    if (code == forked::kCannotSetUp)
        GTEST_SKIP() << "cannot run as a user without rights here";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(folder.read(QStringLiteral("Locked/A.MVL")), oldPackage);
}

// Holds the process to the descriptors it has open now: every further open fails with EMFILE.
class NoMoreOpenFiles {
public:
    NoMoreOpenFiles()
    {
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        const int lowestFree = ::dup(0);
        ::close(lowestFree);
        rlimit limit = m_saved;
        limit.rlim_cur = static_cast<rlim_t>(lowestFree);
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    ~NoMoreOpenFiles() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved {};
};

TEST_F(Package, TooManyOpenFilesIsSaidAsSuchOnSavingAndOpening)
{
    const QString package = writePackage(QStringLiteral("A.MVL"), makePackage({"A.MVK", "old"}));
    putInWork(QStringLiteral("A.MVK"), "data");
    // With descriptors to spare the save succeeds, and one into a missing folder fails as
    // usual; both also settle the sanitizers' checks of the calls a failure makes, which need
    // descriptors of their own, before they run out.
    ASSERT_TRUE(save(package, QStringLiteral("A.MVK")));
    ASSERT_FALSE(save(folder.internalPath(QStringLiteral("Missing/A.MVL")), QStringLiteral("A.MVK")));
    // An open too, so that what it reaches for the first time (the program's context among it)
    // is made and checked while descriptors are there.
    open(package);
    services.ui().msgBoxes.clear();
    const QByteArray oldPackage = folder.read(QStringLiteral("A.MVL"));
    putInWork(QStringLiteral("A.MVK"), "newer data");
    bool saved = true;
    {
        const NoMoreOpenFiles limit;
        saved = save(package, QStringLiteral("A.MVK"));
        open(package);
    }

    EXPECT_FALSE(saved);
    const QStringList prompts = services.ui().prompts();
    ASSERT_EQ(prompts.size(), 2);
    EXPECT_EQ(prompts[0], "67\r\nToo many files: " + folder.native() + notSavedIn("A.MVL"));
    EXPECT_EQ(prompts[1], "67\r\nToo many files");
    EXPECT_EQ(folder.read(QStringLiteral("A.MVL")), oldPackage);
    EXPECT_EQ(readWork(QStringLiteral("A.MVK")), QByteArray("newer data"));
}

TEST(PackageAppend, CopiesExactlyTheCountedBytes)
{
    TestProgram<> program;
    const TempFolder& folder = program.folder;
    const QString member = folder.write(QStringLiteral("m.bin"), pattern(3000, 5));
    QBuffer out;
    out.open(QIODevice::WriteOnly);

    ModJoinsSkins::AppendFileToPackage(out, member, QStringLiteral("2500     "));
    ModJoinsSkins::AppendFileToPackage(out, folder.internalPath(QStringLiteral("missing")), QStringLiteral("0"));
    EXPECT_EQ(out.data(), pattern(3000, 5).left(2500));

    try {
        ModJoinsSkins::AppendFileToPackage(out, member, QStringLiteral("3001"));
        FAIL() << "a count past the end of the member must fail";
    } catch (const VbError& error) {
        EXPECT_EQ(error.number, 62);
    }
}

TEST(PackageHeader, CountFieldsAreDigitsThenBlanks)
{
    struct Case {
        QByteArray field;
        std::optional<qint64> value;
    };
    const Case cases[] = {
        {"1234     ", 1234}, {"0        ", 0}, {"999999999", 999999999}, {"7", 7},
        {" 12      ", std::nullopt}, {"12 3     ", std::nullopt}, {"         ", std::nullopt},
        {"+1       ", std::nullopt}, {"1\t       ", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(package::parseCountField(c.field), c.value) << c.field.constData();

    EXPECT_EQ(package::countField(1234, 9), QByteArray("1234     "));
    EXPECT_THROW(package::countField(1000000000, 9), VbError);
}

} // namespace
