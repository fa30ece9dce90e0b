#include "viewer/ViewerContext.h"

#include "countdown/clsCountdown.h"
#include "display/ProgramFolder.h"
#include "foundation/clsForm.h"
#include "support/TestServices.h"
#include "viewer/modVantrelViewer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The program folder as each layer reads it.
QStringList folderAsEveryLayerReadsIt()
{
    return {modVantrelViewer::AppPath(), ProgramFolder::AppPath(), clsForm::applicationFolder()};
}

TEST(ViewerContext, TheProgramFolderSetOnceIsTheOneEveryLayerReads)
{
    TestServices services;
    ViewerContext outer;
    outer.appPath = QStringLiteral("\\opt\\first");
    EXPECT_EQ(folderAsEveryLayerReadsIt(), QStringList(3, QStringLiteral("\\opt\\first")));
    {
        ViewerContext inner;
        inner.appPath = QStringLiteral("\\opt\\second");
        EXPECT_EQ(&ProgramContext::current(), &inner);
        EXPECT_EQ(&DisplayContext::current(), &inner);
        EXPECT_EQ(&modVantrelViewer::context(), &inner);
        EXPECT_EQ(folderAsEveryLayerReadsIt(), QStringList(3, QStringLiteral("\\opt\\second")));
    }
    // The context a test made is gone with it; the one before is back, whole.
    EXPECT_EQ(&modVantrelViewer::context(), &outer);
    EXPECT_EQ(folderAsEveryLayerReadsIt(), QStringList(3, QStringLiteral("\\opt\\first")));
}

TEST(ViewerContext, WithoutAContextMadeByTheProgramEveryLayersReadFails)
{
    TestServices services;
    EXPECT_THROW(ProgramContext::current(), ProgramContext::Fault);
    EXPECT_THROW(modVantrelViewer::AppPath(), ProgramContext::Fault);
    EXPECT_THROW(ProgramFolder::AppPath(), ProgramContext::Fault);
    EXPECT_THROW(clsForm::applicationFolder(), ProgramContext::Fault);
    EXPECT_THROW(clsCountdown(), ProgramContext::Fault);
}

TEST(ViewerContext, AContextOfALowerLayerThanItsReaderIsAFault)
{
    TestServices services;
    DisplayContext display;
    EXPECT_EQ(&DisplayContext::current(), &display);
    EXPECT_THROW(modVantrelViewer::context(), ProgramContext::Fault);
    try {
        modVantrelViewer::context();
    } catch (const ProgramContext::Fault& fault) {
        EXPECT_NE(std::string(fault.what()).find("ViewerContext"), std::string::npos) << fault.what();
    }
}

} // namespace
