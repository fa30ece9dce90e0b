#include "countdown/HandMadePackage.h"
#include "countdown/ModJoinsSkins.h"
#include "countdown/OpenedPackage.h"
#include "countdown/QStringPrinting.h"
#include "foundation/ProgramContext.h"
#include "support/TestServices.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

// A package opened from a folder, then touched by another program (or by nobody) before the
// save asks whether it may write it.
class OpenedPackageRecord : public ::testing::Test {
public:
    void SetUp() override { work = folder.makeFolder(QStringLiteral("Temp")); }

    QString writePackage(const QByteArray& bytes) const { return folder.write(QStringLiteral("Party.MVL"), bytes); }
    bool open(const QString& package) { return ModJoinsSkins::OpenCountdownPackage(package, false, work); }
    // Another program writes a new file beside the package and renames it over the package.
    void replaceByRename(const QByteArray& bytes) const
    {
        folder.write(QStringLiteral("Party.new"), bytes);
        ASSERT_EQ(::rename(QFile::encodeName(folder.nativePath(QStringLiteral("Party.new"))).constData(),
                           QFile::encodeName(folder.nativePath(QStringLiteral("Party.MVL"))).constData()),
                  0);
    }
    // Another program rewrites the package's own file, keeping its size.
    void rewriteInPlace(const QByteArray& bytes) const
    {
        QFile file(folder.nativePath(QStringLiteral("Party.MVL")));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    TestServices services;
    ProgramContext context;
    TempFolder folder;
    QString work;
};

TEST_F(OpenedPackageRecord, OnlyThePackageThatOpenedAndStillHoldsItsBytesMaySave)
{
    const QByteArray original = makePackage({"Party.MVK", "caption Original"}, {"p.png", "red picture"}, {}, {}, "Party");
    const QByteArray newer = makePackage({"Party.MVK", "caption NewerOne"}, {"p.png", "new picture"}, {}, {}, "Party");
    ASSERT_EQ(original.size(), newer.size());
    struct Case {
        const char* what;
        std::function<void(OpenedPackageRecord&, const QString& package)> afterOpen;
        bool maySave;
        const char* message; // the part of the one message that says why; none when empty
    };
    const Case cases[] = {
        {"unchanged", {}, true, ""},
        {"touched, same bytes", [](auto& t, auto&) { t.rewriteInPlace(t.folder.read(QStringLiteral("Party.MVL"))); },
         true, ""},
        {"replaced by a rename", [&](auto& t, auto&) { t.replaceByRename(newer); }, false, "was changed after it was opened"},
        {"rewritten in place, same size", [&](auto& t, auto&) { t.rewriteInPlace(newer); }, false,
         "was changed after it was opened"},
        {"removed", [](auto& t, auto&) { QFile::remove(t.folder.nativePath(QStringLiteral("Party.MVL"))); }, false,
         "was moved or deleted after it was opened"},
        {"a later open was refused",
         [](auto& t, auto&) { t.open(t.folder.write(QStringLiteral("Cut.MVL"), QByteArray("0        "))); }, false, ""},
        {"the package this program saved last",
         [&](auto& t, const QString& package) {
             t.folder.write(QStringLiteral("Temp/Party.MVK"), "caption Saved by this viewer");
             ModJoinsSkins::SaveCountdownPackage(package, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                                 QStringLiteral("Party.MVK"), QString(), QString(), QString(), t.work);
             OpenedPackage::rememberSaved(package);
         },
         true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString package = writePackage(original);
        ASSERT_TRUE(open(package));
        if (c.afterOpen)
            c.afterOpen(*this, package);
        services.ui().msgBoxes.clear();
        const QByteArray onDisk = folder.read(QStringLiteral("Party.MVL"));

        EXPECT_EQ(OpenedPackage::maySave(package), c.maySave);
        if (*c.message) {
            ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
            EXPECT_EQ(services.ui().msgBoxes[0].prompt, QStringLiteral("The countdown was not saved because the file %1 %2.")
                                                            .arg(folder.nativePath(QStringLiteral("Party.MVL")),
                                                                 QLatin1String(c.message)));
        } else {
            EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();
        }
        EXPECT_EQ(folder.read(QStringLiteral("Party.MVL")), onDisk);
        EXPECT_FALSE(OpenedPackage::maySave(folder.internalPath(QStringLiteral("Other.MVL"))));
    }
}

// A package whose data file does not reach the work folder under the name the windows read is
// not the countdown they show: nothing may save over it.
TEST_F(OpenedPackageRecord, AnOpenThatCouldNotPlaceTheDataFileLeavesNothingToSave)
{
    const QString package = writePackage(makePackage({"Other.MVK", "data"}, {}, {}, {}, "Party"));
    // A folder of that name cannot be replaced by the data file.
    folder.makeFolder(QStringLiteral("Temp/Party.MVK/inside"));
    open(package);
    EXPECT_FALSE(OpenedPackage::isOpened(package));
    EXPECT_FALSE(OpenedPackage::maySave(package));
}

} // namespace
