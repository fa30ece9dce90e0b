#include "countdown/ModJoinsSkins.h"
#include "support/PackageBuilder.h"
#include "support/ProgramFolderFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The packages the tests make by hand are the packages the writer makes of the same members,
// so a fixture checks the programs against what they really read and write.
TEST(PackageBuilder, AssemblesWhatTheWriterWritesOfTheSameMembers)
{
    struct Case {
        const char* what;
        QString reserved1, reserved2, reserved3;
        QString data, picture, sound, logo; // member names; their bytes are the work folder's files
        std::function<PackageBuilder()> built;
    } const cases[] = {
        {"data file only", "0", "0", "", "Party.MVK", "", "", "",
         [] { return PackageBuilder().data("Party.MVK", "caption Party\r\n"); }},
        {"blank reserved fields", "", "", "", "Party.MVK", "", "", "",
         [] { return PackageBuilder().blankReserved().data("Party.MVK", "caption Party\r\n"); }},
        {"every medium", "0", "0", "", "Two.Dots.MVK", "pic.png", "ring.wav", "logo.gif",
         [] {
             return PackageBuilder()
                 .data("Two.Dots.MVK", "two dots")
                 .picture("pic.png", "picture bytes")
                 .sound("ring.wav", "sound")
                 .logo("logo.gif", "GIF89a");
         }},
        {"a medium missing from the work folder", "0", "0", "", "Party.MVK", "gone.png", "", "",
         [] { return PackageBuilder().data("Party.MVK", "caption Party\r\n").picture("gone.png", ""); }},
        {"other reserved text", "1", "abcdefghi", "xyz", "A.MVK", "", "", "",
         [] { return PackageBuilder().reserved1("1").reserved2("abcdefghi").reserved3("xyz").data("A.MVK", "a"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram<> program;
        TempFolder& folder = program.folder;
        const PackageBuilder built = c.built();
        const QString work = folder.makeFolder("work");
        built.writeTo(folder.internalPath("built.MVL"));
        ASSERT_TRUE(ModJoinsSkins::OpenCountdownPackage(folder.internalPath("built.MVL"), false, work));
        EXPECT_TRUE(ModJoinsSkins::SaveCountdownPackage(folder.internalPath("written.MVL"), c.reserved1, c.reserved2,
                                                        c.reserved3, c.data, c.picture, c.sound, c.logo, work));
        EXPECT_EQ(folder.read("written.MVL"), built.bytes());
        EXPECT_EQ(folder.read("built.MVL"), built.bytes());
        EXPECT_EQ(PackageBuilder().dataFrom(work, c.data).bytes(),
                  PackageBuilder().data(c.data.toLatin1(), folder.read("work/" + c.data)).bytes());
    }
}

} // namespace
