#include "countdown/clsCountdown.h"
#include "display/CountdownForm.h"
#include "display/DisplayContext.h"
#include "display/modCountdown.h"
#include "support/ProgramFolderFixture.h"

#include <gtest/gtest.h>

namespace {

// The countdown window placed from its countdown on an 800 x 600 screen, where stored twips
// pass unscaled, with a 30-pixel panel along the bottom.
class CountdownPlacement : public ProgramFolderTest<DisplayContext> {
protected:
    void SetUp() override
    {
        services.screen().workArea = QRect(0, 0, 800, 570);
    }

};

TEST_F(CountdownPlacement, StoredGeometryOffTheWorkAreaIsBroughtInside)
{
    struct Case {
        const char* what;
        float left, top, width, height; // stored twips
        QRect expected;                 // outer pixels
    };
    const Case cases[] = {
        {"inside", 750, 1125, 3000, 2250, {50, 75, 200, 150}},
        {"past the right and the panel", 9000, 6000, 6000, 4500, {400, 270, 400, 300}},
        {"left of and above the screen", -1500, -300, 3000, 2250, {0, 0, 200, 150}},
        {"wider and taller than the work area", 0, 0, 15000, 9000, {0, 0, 800, 570}},
        {"near the single limit", 3e38f, 3.4e38f, 3e38f, 3.4e38f, {0, 0, 800, 570}},
        // A side too small to use takes the size of a new countdown's window.
        {"far above and left, no size", -3e38f, -3.4e38f, 0, 0, {0, 0, 600, 450}},
        {"negative width, a pixel high", 750, 1125, -3000, 15, {50, 75, 600, 450}},
        {"narrow", 750, 1125, 600, 2250, {50, 75, 600, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CountdownForm form;
        clsCountdown countdown;
        countdown.setState(0);
        countdown.setLeft(c.left);
        countdown.setTop(c.top);
        countdown.setWidth(c.width);
        countdown.setHeight(c.height);

        modCountdown::ApplyCountdownToForm(form, countdown);

        auto pixels = [](double twips) { return static_cast<int>(twips / 15); };
        EXPECT_EQ(QRect(pixels(form.Left()), pixels(form.Top()), pixels(form.Width()), pixels(form.Height())),
                  c.expected);
        // What the close compares against is where the window went.
        EXPECT_EQ(modCountdown::RememberedLeft(), c.expected.left() * 15);
        EXPECT_EQ(modCountdown::RememberedWidth(), c.expected.width() * 15);
        EXPECT_EQ(modCountdown::RememberedHeight(), c.expected.height() * 15);
    }
}

} // namespace
