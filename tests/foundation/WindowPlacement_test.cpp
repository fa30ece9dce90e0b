#include "foundation/ProgramContext.h"
#include "foundation/clsForm.h"
#include "foundation/clsFormDb.h"
#include "foundation/modForm.h"
#include "support/ProgramFolderFixture.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A 1024 x 768 pixel screen at 15 twips per pixel: 15360 x 11520 twips.
class WindowPlacementTest : public ProgramFolderTest<ProgramContext> {
protected:
    void SetUp() override
    {
        services.screen().widthPixels = 1024;
        services.screen().heightPixels = 768;
        form.setObjectName("frmAbout");
        form.setGeometry(10, 20, 300, 200);
    }

    // Top-level windows that count (or not) as countdown windows.
    void openWindows(const QStringList& names)
    {
        for (const QString& name : names) {
            others.push_back(std::make_unique<QWidget>());
            others.back()->setObjectName(name);
        }
    }

    void store(int top, int height, int width, int left, int state)
    {
        clsForm record;
        record.setName("frmAbout");
        record.setTop(top);
        record.setHeight(height);
        record.setWidth(width);
        record.setLeft(left);
        record.setState(state);
        record.Update();
    }

    void forgetStoredRecord()
    {
        clsForm record;
        record.setName("frmAbout");
        clsFormDb().DeleteForm(record);
    }

    QWidget form;
    std::vector<std::unique_ptr<QWidget>> others;
};

TEST_F(WindowPlacementTest, CountsWindowsWhoseNameBeginsExactly)
{
    EXPECT_EQ(modForm::CountCountdownForms(), 0);
    openWindows({"frmCountdownViewer", "FrmCountdownX", "frmCountdown", "frmCountdow"});
    EXPECT_EQ(modForm::CountCountdownForms(), 2);
}

TEST_F(WindowPlacementTest, TilingTable)
{
    struct Case {
        int size, band, slot;
        QRect expected; // pixels; h = 11520 - 200 = 11320 twips
    };
    const Case cases[] = {
        {7, 3, 0, {0, 377, 256, 356}},      // 3840 x (5660 - 325), top 5660
        {1, 1, 0, {0, 0, 512, 377}},        // W/2 x h/2
        {5, 1, 2, {512, 0, 512, 189}},      // W/2 x h/4, left W/2
        {0, 1, 4, {205, 347, 300, 200}},    // size kept; top h x 0.46, left W x 0.2
        {0, 3, 2, {377, 377, 300, 356}},    // left h/2, not W/2
        {0, 3, 4, {151, 75, 300, 356}},     // top h x 0.1, left h x 0.2
        {6, 2, 0, {10, 20, 512, 189}},      // unknown band: position kept
        {0, 3, 9, {10, 20, 300, 356}},      // unknown slot: height set all the same
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << "/" << c.band << "/" << c.slot);
        form.setGeometry(10, 20, 300, 200);
        modForm::TileCountdownForm(&form, c.band, c.slot, c.size);
        EXPECT_EQ(form.geometry(), c.expected);
    }
}

TEST_F(WindowPlacementTest, CenterUsesTheClientSizeAndTheWholeScreen)
{
    services.screen().workArea = QRect(0, 40, 1024, 700);
    form.resize(301, 201); // 4515 x 3015 twips
    modForm::CenterFormOnScreen(&form);
    EXPECT_EQ(form.pos(), QPoint(361, 283)); // (15360 - 4515) \ 2 = 5422, (11520 - 3015) \ 2 = 4252
    EXPECT_EQ(form.size(), QSize(301, 201));
}

TEST_F(WindowPlacementTest, RestoreWithoutRecordPlacesByMode)
{
    struct Case {
        int mode;
        QStringList windows;
        QRect expected;
    };
    const Case cases[] = {
        // Defaults 10200 x 7140, then tiled at top 5207.2 and left 3072, then moved up onto
        // the screen (its bottom would be at 823).
        {0, {"frmCountdownViewer"}, {205, 292, 680, 476}},
        // Defaults, then centred: (15360 - 10200) \ 2 and (11520 - 7140) \ 2.
        {0, {}, {172, 146, 680, 476}},
        // Seven countdown windows are past the table: centred.
        {0, QStringList(7, "frmCountdownViewer"), {172, 146, 680, 476}},
        // 7500 x 5630 centred: 3930 and CLng(5895) \ 2 = 2947 twips.
        {1, {}, {262, 196, 500, 375}},
        {2, {}, {0, 0, 1024, 375}},
        {4, {}, {0, 0, 870, 653}},
        {3, {}, {10, 20, 300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " with " << c.windows.size());
        others.clear();
        openWindows(c.windows);
        form.setGeometry(10, 20, 300, 200);
        modForm::RestoreFormPosition(c.mode, &form, "frmAbout");
        EXPECT_EQ(form.geometry(), c.expected);
        EXPECT_EQ(modForm::FormRecord(), nullptr);
    }
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(WindowPlacementTest, RestoreAppliesAStoredRecordInModesThatKnowIt)
{
    store(1200, 3000, 4500, 2400, 0);
    for (int mode : {0, 1, 2, 4}) {
        SCOPED_TRACE(mode);
        form.setGeometry(10, 20, 300, 200);
        modForm::RestoreFormPosition(mode, &form, "frmAbout");
        EXPECT_EQ(form.geometry(), QRect(160, 80, 300, 200));
    }
    form.setGeometry(10, 20, 30, 20);
    modForm::RestoreFormPosition(5, &form, "frmAbout");
    EXPECT_EQ(form.geometry(), QRect(10, 20, 30, 20));
}

TEST_F(WindowPlacementTest, RestoredPlacementStaysInsideTheWorkArea)
{
    struct Case {
        const char* what;
        QRect workArea;
        int mode;
        bool stored;
        int top, height, width, left; // twips, when stored
        QRect expected;
    };
    const QRect wholeScreen(0, 0, 1024, 768);
    const QRect panelBelow(0, 0, 1024, 738);
    const QRect panelsAboveAndLeft(60, 30, 964, 738);
    const Case cases[] = {
        {"tiled below the panel", panelBelow, 0, false, 0, 0, 0, 0, {205, 262, 680, 476}},
        {"stored on a larger screen", wholeScreen, 0, true, 12000, 9000, 12000, 20000, {224, 168, 800, 600}},
        {"stored larger than the screen", wholeScreen, 1, true, 1500, 15000, 30000, 1500, {0, 0, 1024, 768}},
        {"taller than the work area", panelBelow, 2, true, 3000, 12000, 4500, 300, {20, 0, 300, 738}},
        {"panels above and left", panelsAboveAndLeft, 4, true, 0, 3000, 4500, 0, {60, 30, 300, 200}},
        {"across the top under a panel", panelsAboveAndLeft, 2, false, 0, 0, 0, 0, {60, 30, 964, 375}},
        {"already inside", wholeScreen, 0, true, 1200, 3000, 4500, 2400, {160, 80, 300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        services.screen().workArea = c.workArea;
        others.clear();
        openWindows({"frmCountdownViewer"});
        forgetStoredRecord();
        if (c.stored)
            store(c.top, c.height, c.width, c.left, 0);
        form.setGeometry(10, 20, 300, 200);
        modForm::RestoreFormPosition(c.mode, &form, "frmAbout");
        EXPECT_EQ(form.frameGeometry(), c.expected);
    }
}

TEST_F(WindowPlacementTest, OffScreenRecordOfAMaximizedWindowComesBackInsideWhenMadeNormal)
{
    store(20000, 3000, 4500, 20000, 2);
    form.show();
    modForm::RestoreFormPosition(0, &form, "frmAbout");
    EXPECT_TRUE(form.isMaximized());
    form.showNormal();
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(form.frameGeometry()));
}

TEST_F(WindowPlacementTest, SavedPositionOutsideTheScreenIsStoredAsZero)
{
    services.screen().twipsX = services.screen().twipsY = 1; // twips are pixels
    struct Case {
        int position;
        int stored;
    };
    const Case cases[] = {{-15, 0}, {20001, 0}, {20000, 20000}, {0, 0}, {345, 345}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        form.setGeometry(c.position, c.position, 300, 200);
        modForm::SaveFormPosition(&form, "frmAbout");
        EXPECT_EQ(modForm::FormRecord(), nullptr);
        clsForm record;
        ASSERT_EQ(record.FindByName("frmAbout"), -1);
        EXPECT_EQ(record.Top(), c.stored);
        EXPECT_EQ(record.Left(), c.stored);
        EXPECT_EQ(record.Width(), 300);
        EXPECT_EQ(record.Height(), 200);
    }
}

TEST_F(WindowPlacementTest, HugeWindowStillSavesAClampedRecord)
{
    form.setGeometry(0, 0, 3000, 2500); // 45000 x 37500 twips
    modForm::SaveFormPosition(&form, "frmAbout");
    clsForm record;
    ASSERT_EQ(record.FindByName("frmAbout"), -1);
    EXPECT_EQ(record.Width(), 32767);
    EXPECT_EQ(record.Height(), 32767);
    EXPECT_TRUE(services.ui().msgBoxes.empty());
}

TEST_F(WindowPlacementTest, MaximizedWindowStoresItsNormalPlacementAndComesBackMaximized)
{
    form.setGeometry(30, 40, 300, 200);
    form.show();
    form.showMaximized();
    ASSERT_TRUE(form.isMaximized());
    modForm::SaveFormPosition(&form, "frmAbout");
    EXPECT_FALSE(form.isMaximized());

    clsForm record;
    ASSERT_EQ(record.FindByName("frmAbout"), -1);
    // The outer placement: a shown offscreen window has a 2-pixel frame around its client area.
    EXPECT_EQ(record.State(), 2);
    EXPECT_EQ(record.Width(), 304 * 15);
    EXPECT_EQ(record.Height(), 204 * 15);
    EXPECT_EQ(record.Left(), 28 * 15);
    EXPECT_EQ(record.Top(), 38 * 15);

    form.setGeometry(0, 0, 100, 100);
    form.showMaximized();
    modForm::RestoreFormPosition(0, &form, "frmAbout");
    EXPECT_TRUE(form.isMaximized());
    form.showNormal();
    EXPECT_EQ(form.geometry(), QRect(30, 40, 300, 200));
}

} // namespace
