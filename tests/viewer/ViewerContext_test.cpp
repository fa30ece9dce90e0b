#include "viewer/ViewerContext.h"

#include "display/ProgramFolder.h"
#include "foundation/clsForm.h"
#include "support/TestServices.h"
#include "viewer/modVantrelViewer.h"

#include <gtest/gtest.h>

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

TEST(ViewerContext, WithoutAContextMadeByTheProgramEveryLayerSharesOneOfTheViewers)
{
    TestServices services;
    ProgramContext::current().appPath = QStringLiteral("\\opt\\shared");
    EXPECT_NE(dynamic_cast<ViewerContext*>(&ProgramContext::current()), nullptr);
    EXPECT_EQ(folderAsEveryLayerReadsIt(), QStringList(3, QStringLiteral("\\opt\\shared")));
    ProgramContext::current().appPath.clear();
}

} // namespace
