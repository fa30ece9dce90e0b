#include "foundation/clsMoveForm.h"
#include "foundation/clsPSFormUtilities.h"
#include "foundation/modColorDepth.h"
#include "platform/QtWindows.h"
#include "platform/Services.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

class WindowHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        services.screen().widthPixels = 1024;
        services.screen().heightPixels = 768;
        form.resize(200, 133); // 3000 x 1995 twips
        form.move(7, 9);
    }

    TestServices services;
    QWidget form;
};

TEST_F(WindowHelpersTest, CenterFormUsesTheWorkArea)
{
    services.screen().workArea = QRect(0, 0, 1024, 738);
    clsMoveForm mover;
    mover.Refresh(&form);
    EXPECT_FLOAT_EQ(mover.Width(), 15360);
    EXPECT_FLOAT_EQ(mover.Height(), 11070);
    EXPECT_FLOAT_EQ(mover.Left(), 0);
    EXPECT_FLOAT_EQ(mover.Top(), 0);
    mover.CenterForm(&form);
    // Left 6180 twips; top (11070 - 1995) / 2 = 4537.5 twips, 302 pixels.
    EXPECT_EQ(form.pos(), QPoint(412, 302));
    EXPECT_EQ(form.size(), QSize(200, 133));
}

TEST_F(WindowHelpersTest, MovesWithTaskbarAtTheTop)
{
    services.screen().workArea = QRect(0, 30, 1024, 738); // bottom edge at 768 pixels
    form.resize(200, 134);
    struct Case {
        const char* move;
        std::function<void(clsMoveForm&, QWidget*)> run;
        QPoint expected;
    };
    // Moves to the bottom edge add the work area's top once more: 768 - 134 + 30.
    const Case cases[] = {
        {"center", &clsMoveForm::CenterForm, {412, 332}},
        {"top", &clsMoveForm::TopForm, {412, 30}},
        {"bottom", &clsMoveForm::BottomForm, {412, 664}},
        {"left", &clsMoveForm::LeftForm, {0, 664}},
        {"right", &clsMoveForm::RightForm, {824, 664}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.move);
        clsMoveForm mover;
        mover.Refresh(&form);
        form.move(7, 9);
        c.run(mover, &form);
        EXPECT_EQ(form.pos(), c.expected);
        EXPECT_EQ(mover.LastMove(), QString(c.move) == "bottom" ? "bottom" : "");
    }
}

TEST_F(WindowHelpersTest, MoveLastRepeatsOnlyExactNames)
{
    services.screen().workArea = QRect(0, 0, 1024, 738);
    struct Case {
        QString lastMove;
        QPoint expected;
    };
    const Case cases[] = {
        {"", {7, 9}},
        {"Top", {7, 9}},
        {"sideways", {7, 9}},
        {"top", {412, 0}},
        {"left", {0, 605}},
        {"right", {824, 605}},
        {"center", {412, 302}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastMove.toStdString());
        clsMoveForm mover;
        mover.Refresh(&form);
        mover.setLastMove(c.lastMove);
        form.move(7, 9);
        mover.MoveLast(&form);
        EXPECT_EQ(form.pos(), c.expected);
    }

    clsMoveForm mover;
    mover.Refresh(&form);
    mover.BottomForm(&form);
    form.move(7, 9);
    mover.MoveLast(&form);
    EXPECT_EQ(form.pos(), QPoint(412, 605));
}

TEST_F(WindowHelpersTest, RefreshWithoutWorkAreaTakesTheScreenSize)
{
    services.screen().workArea = QRect(0, 0, -1, -1);
    clsMoveForm mover;
    mover.setLeft(45);
    mover.setTop(60);
    mover.Refresh(&form);
    EXPECT_FLOAT_EQ(mover.Width(), 15360);
    EXPECT_FLOAT_EQ(mover.Height(), 11520);
    EXPECT_FLOAT_EQ(mover.Left(), 45);
    EXPECT_FLOAT_EQ(mover.Top(), 60);
}

TEST_F(WindowHelpersTest, MovesBeforeRefreshUseZeros)
{
    clsMoveForm mover;
    mover.RightForm(&form);
    EXPECT_EQ(form.pos(), QPoint(-200, -133));
}

TEST_F(WindowHelpersTest, TopMostGoesThroughTheWindowsService)
{
    clsPSFormUtilities utilities;
    utilities.SetTopMost(&form);
    utilities.UnSetTopMost(&form);
    const auto& calls = services.windows().topMostCalls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(static_cast<QWidget*>(&form), true));
    EXPECT_EQ(calls[1], std::make_pair(static_cast<QWidget*>(&form), false));
}

TEST_F(WindowHelpersTest, TopMostAndBackKeepsAShownWindowInPlace)
{
    platform::QtWindows windows;
    platform::services().windows = &windows;
    form.setGeometry(40, 50, 300, 200);
    form.show();
    const QRect before = form.geometry();
    clsPSFormUtilities utilities;
    utilities.SetTopMost(&form);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form.geometry(), before);
    utilities.UnSetTopMost(&form);
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form.geometry(), before);
    EXPECT_TRUE(form.isVisible());
    platform::services().windows = &services.windows();
}

TEST_F(WindowHelpersTest, ColorDepthIsTheScreensBits)
{
    for (int bits : {32, 16, 8}) {
        services.screen().colorDepth = bits;
        EXPECT_EQ(modColorDepth::GetColorDepth(), bits);
    }
    services.screen().colorDepth = 40000;
    try {
        modColorDepth::GetColorDepth();
        FAIL() << "no overflow";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 6);
    }
}

} // namespace
