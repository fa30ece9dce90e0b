#include "countdown/ApplicationFolder.h"
#include "countdown/CountdownDefaults.h"
#include "countdown/clsCountdown.h"
#include "countdown/clsCountdownDb.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// A screen saver whose countdown lives apart from it: its context holds the program folder
// the viewer stored, not the one the running executable would settle. Every countdown step
// that builds a path in the program folder takes the context's.
class ContextProgramFolder : public ProgramFolderTest<> {};

TEST_F(ContextProgramFolder, EveryCountdownStepReadsTheContextsProgramFolder)
{
    ASSERT_NE(context.appPath, countdownApplicationFolder());

    clsCountdown countdown;
    EXPECT_EQ(countdown.DatabaseLocation(), context.appPath + "\\Temp");

    CountdownDefaults::applyNewCountdownDefaults(countdown, [](const QString&, int) {});
    EXPECT_EQ(countdown.SaveFileName(), context.appPath + "/Countdowns");

    folder.write("Countdowns/Old.MVK", "old");
    clsCountdownDb().RemoveCountdown(countdown, "Old");
    EXPECT_FALSE(QFile::exists(folder.nativePath("Countdowns/Old.MVK")));
}

TEST_F(ContextProgramFolder, AFolderSetLaterIsTheOneTheNextCountdownReads)
{
    context.appPath = folder.makeFolder("moved");
    EXPECT_EQ(clsCountdown().DatabaseLocation(), folder.internalPath("moved") + "\\Temp");
}

} // namespace
