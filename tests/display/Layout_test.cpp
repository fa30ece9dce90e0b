#include "display/CountdownForm.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "display/modCountdownLayout.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <ostream>
#include <vector>

namespace {

// A length as a W + b Hav + c, W the form's inner width, Hav its height above the status bar.
struct Lin {
    double w = 0, hav = 0, c = 0;
    double at(double width, double hav_) const { return w * width + hav * hav_ + c; }
};
constexpr Lin W(double k) { return {k, 0, 0}; }
constexpr Lin Hv(double k) { return {0, k, 0}; }
constexpr Lin K(double c) { return {0, 0, c}; }
constexpr Lin operator+(Lin a, Lin b) { return {a.w + b.w, a.hav + b.hav, a.c + b.c}; }

struct Rect { Lin top, left, width, height; };

struct Geometry {
    double top, left, width, height;
    bool operator==(const Geometry&) const = default;
};

void PrintTo(const Geometry& g, std::ostream* out)
{
    *out << "{top " << g.top << ", left " << g.left << ", width " << g.width << ", height " << g.height << "}";
}

Geometry geometryOf(const ElasticPanel* panel)
{
    return {panel->Top(), panel->Left(), panel->Width(), panel->Height()};
}

// Every panel starts from its own recognisable geometry, so a value left alone shows.
Geometry primed(int n) { return {1000.0 + n, 2000.0 + n, 3000.0 + n, 4000.0 + n}; }
constexpr int kCaptionsPrime = 1;
constexpr double kPrimedCaptionsHeight = 4000.0 + kCaptionsPrime;

std::vector<ElasticPanel*> allPanels(const CountdownForm& form)
{
    std::vector<ElasticPanel*> panels = {form.c1eImage(), form.c1eCaptions(), form.c1eTop(),
                                         form.c1eEventCaption(), form.c1eEventDate(), form.c1eAdvertiserLogo()};
    for (int i = 0; i <= 6; ++i)
        panels.push_back(form.c1eIntervalsLeft(i));
    return panels;
}

std::vector<Geometry> snapshot(const CountdownForm& form)
{
    std::vector<Geometry> shot;
    for (const ElasticPanel* panel : allPanels(form))
        shot.push_back(geometryOf(panel));
    return shot;
}

class LayoutForm : public ::testing::Test {
protected:
    LayoutForm()
    {
        form.resize(800, 600); // 12000 x 9000 twips at 15 twips a pixel
        int n = 0;
        for (ElasticPanel* panel : allPanels(form)) {
            const Geometry g = primed(n++);
            panel->Move(g.left, g.top, g.width, g.height);
        }
    }

    void showBoxes(unsigned mask)
    {
        for (int i = 1; i <= 6; ++i)
            form.c1eIntervalsLeft(i)->setVisible(mask & (1u << (i - 1)));
    }

    void layOut(const QString& number)
    {
        form.lblLayout()->setCaption(number);
        modCountdown::LayoutCountdownForm(form);
    }

    double hav() const
    {
        const StatusBar* bar = form.StatusBar1();
        return form.ScaleHeight() - (bar->Visible() ? bar->Height() : 0.0);
    }

    void expectAt(const ElasticPanel* panel, const Rect& want) const
    {
        const double w = form.ScaleWidth();
        const double h = hav();
        const Geometry got = geometryOf(panel);
        SCOPED_TRACE(panel->objectName().toStdString());
        EXPECT_NEAR(got.top, want.top.at(w, h), 1e-6);
        EXPECT_NEAR(got.left, want.left.at(w, h), 1e-6);
        EXPECT_NEAR(got.width, want.width.at(w, h), 1e-6);
        EXPECT_NEAR(got.height, want.height.at(w, h), 1e-6);
    }

    TestServices services;
    CountdownForm form;
};

struct LayoutRow {
    int number;
    bool imageShown;
    Rect image, captions, top, frame, logo;
};

const Lin zero = K(0);
const Lin havAll = Hv(1);

const LayoutRow kLayouts[] = {
    {1, true, {zero, zero, W(.66), havAll}, {zero, W(.66), W(.34), havAll}, {zero, zero, W(.34), Hv(.45)},
     {Hv(.45), zero, W(.34), Hv(.4)}, {Hv(.45) + Hv(.4), zero, W(.34), Hv(.15)}},
    {2, true, {zero, W(.33), W(.67), havAll}, {zero, zero, W(.33), havAll}, {zero, zero, W(.33), Hv(.45)},
     {Hv(.45), zero, W(.33), Hv(.4)}, {Hv(.45) + Hv(.4), zero, W(.33), Hv(.15)}},
    {3, true, {zero, zero, W(1), Hv(.66)}, {Hv(.66), zero, W(1), Hv(.33)}, {zero, zero, W(.45), Hv(.33)},
     {zero, W(.45), W(.4), Hv(.33)}, {zero, W(.45) + W(.4), W(.15), Hv(.33)}},
    {4, true, {Hv(.33), zero, W(1), Hv(.66)}, {zero, zero, W(1), Hv(.33)}, {zero, zero, W(.45), Hv(.33)},
     {zero, W(.45), W(.4), Hv(.33)}, {zero, W(.45) + W(.4), W(.15), Hv(.33)}},
    {5, false, {K(kPrimedCaptionsHeight), zero, W(1), havAll}, {zero, zero, W(1), havAll},
     {zero, zero, W(.35), Hv(.85)}, {zero, W(.35), W(1), havAll}, {Hv(.85), zero, W(.35), Hv(.15)}},
    {6, false, {zero, zero, W(.66), havAll}, {zero, zero, W(1), havAll}, {zero, zero, W(1), Hv(.45)},
     {Hv(.45), zero, W(1), Hv(.4)}, {Hv(.45) + Hv(.4), W(.375), W(.25), Hv(.15)}},
    {7, false, {zero, zero, W(.66), havAll}, {zero, zero, W(1), havAll}, {zero, zero, W(.5), havAll},
     {zero, W(.5), W(.5), Hv(.75)}, {Hv(.75), W(.5), W(.15), Hv(.25) + K(-100)}},
};

// Bit i-1 set: box i visible.
const unsigned kBoxSets[] = {0x00, 0x3F, 0x15, 0x20};

class LayoutTable : public LayoutForm,
                    public ::testing::WithParamInterface<std::tuple<LayoutRow, unsigned, bool>> {};

TEST_P(LayoutTable, PlacesEveryPanelAndStacksTheVisibleBoxes)
{
    const auto& [row, boxes, barShown] = GetParam();
    form.StatusBar1()->setVisible(barShown);
    form.c1eImage()->setVisible(!row.imageShown);
    showBoxes(boxes);
    const std::vector<Geometry> before = snapshot(form);

    layOut(QString::number(row.number));

    expectAt(form.c1eImage(), row.image);
    EXPECT_EQ(form.c1eImage()->Visible(), row.imageShown);
    expectAt(form.c1eCaptions(), row.captions);
    expectAt(form.c1eTop(), row.top);
    expectAt(form.c1eIntervalsLeft(0), row.frame);
    expectAt(form.c1eAdvertiserLogo(), row.logo);

    const ElasticPanel* top = form.c1eTop();
    EXPECT_EQ(geometryOf(form.c1eEventCaption()), (Geometry{0, 0, top->Width(), 0.75 * top->Height()}));
    EXPECT_EQ(geometryOf(form.c1eEventDate()),
              (Geometry{0.75 * top->Height(), 0, top->Width(), 0.25 * top->Height()}));

    const ElasticPanel* frame = form.c1eIntervalsLeft(0);
    const int shown = std::popcount(boxes);
    const double boxHeight = shown ? std::nearbyint(frame->Height() / shown) : 0;
    int stacked = 0;
    for (int i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        const Geometry got = geometryOf(form.c1eIntervalsLeft(i));
        if (boxes & (1u << (i - 1)))
            EXPECT_EQ(got, (Geometry{stacked++ * boxHeight, 0, frame->Width(), boxHeight}));
        else
            EXPECT_EQ(got, before[static_cast<size_t>(6 + i)]);
    }
}

std::string layoutCaseName(const ::testing::TestParamInfo<std::tuple<LayoutRow, unsigned, bool>>& info)
{
    const auto& [row, boxes, barShown] = info.param;
    return "Layout" + std::to_string(row.number) + "_Boxes" + std::to_string(boxes) + (barShown ? "_Bar" : "_NoBar");
}

INSTANTIATE_TEST_SUITE_P(LayoutsByVisibleBoxes, LayoutTable,
                         ::testing::Combine(::testing::ValuesIn(kLayouts), ::testing::ValuesIn(kBoxSets),
                                            ::testing::Bool()),
                         layoutCaseName);

TEST_F(LayoutForm, OnlyTheWholeNumbersOneToSevenSelectALayout)
{
    struct Case { const char* caption; int selects; };
    const Case cases[] = {
        {"0", 0}, {"8", 0}, {"2.5", 0}, {"", 0}, {"abc", 0}, {"-3", 0}, {"lblLayout", 0},
        {" 3", 3}, {"6 columns", 6}, {"7.0", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        CountdownForm reference;
        reference.resize(800, 600);
        std::vector<Geometry> expected = snapshot(form);
        if (c.selects) {
            for (size_t i = 0; i < expected.size(); ++i) {
                const Geometry g = expected[i];
                allPanels(reference)[i]->Move(g.left, g.top, g.width, g.height);
            }
            reference.lblLayout()->setCaption(QString::number(c.selects));
            modCountdown::LayoutCountdownForm(reference);
            expected = snapshot(reference);
        }
        const bool imageWasShown = form.c1eImage()->Visible();
        layOut(QString::fromLatin1(c.caption));
        EXPECT_EQ(snapshot(form), expected);
        if (!c.selects) {
            EXPECT_EQ(form.c1eImage()->Visible(), imageWasShown);
        }
        for (size_t i = 0; i < expected.size(); ++i) { // back to the primed state for the next case
            const Geometry g = primed(static_cast<int>(i));
            allPanels(form)[i]->Move(g.left, g.top, g.width, g.height);
        }
    }
}

TEST_F(LayoutForm, LayoutOneKeepsThePictureHeightWhenTheFormIsNoTallerThanTheBar)
{
    const int barPixels = form.StatusBar1()->height();
    for (int formPixels : {barPixels, barPixels - 5}) {
        SCOPED_TRACE(formPixels);
        form.resize(800, formPixels);
        form.c1eImage()->setHeight(777);
        layOut("1");
        EXPECT_EQ(form.c1eImage()->Height(), 777);
        EXPECT_EQ(form.c1eCaptions()->Height(), 777);
        EXPECT_NEAR(form.c1eTop()->Height(), 0.45 * 777, 1e-9);
    }
}

// A form shorter than its status bar, or layout 7's logo in a small window, never hands a
// panel a negative size.
TEST_F(LayoutForm, SizesBelowZeroAreClampedToZero)
{
    const int barPixels = form.StatusBar1()->height();
    struct Case { int layout; int pixelsAboveBar; };
    const Case cases[] = {
        {2, -10}, {3, -10}, {4, -10}, {5, -10}, {6, -10}, {7, -10}, {7, 0}, {7, 20},
    };
    showBoxes(0x3F);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << ", " << c.pixelsAboveBar << " px above bar");
        form.resize(800, barPixels + c.pixelsAboveBar);
        layOut(QString::number(c.layout));
        for (const ElasticPanel* panel : allPanels(form)) {
            SCOPED_TRACE(panel->objectName().toStdString() + " " + std::to_string(panel->Index()));
            EXPECT_GE(panel->Width(), 0);
            EXPECT_GE(panel->Height(), 0);
        }
        const double expectedImageHeight = std::max(0.0, hav()) * (c.layout == 3 || c.layout == 4 ? 0.66 : 1.0);
        EXPECT_NEAR(form.c1eImage()->Height(), expectedImageHeight, 1e-6);
        if (c.layout == 7) {
            EXPECT_EQ(form.c1eAdvertiserLogo()->Height(), 0); // a quarter of at most 300 twips, less 100
        }
    }
}

// A control missing from the form ends the layout where it is first needed; the steps before
// it stay done and the closing step is not reached.
TEST_F(LayoutForm, AMissingPanelEndsTheLayoutAtItsStep)
{
    showBoxes(0x3F);
    form.c1eAdvertiserLogo()->setObjectName("gone");
    int error = 0;
    try {
        layOut("1");
    } catch (const platform::VbError& e) {
        error = e.number;
    }
    EXPECT_EQ(error, 424);
    expectAt(form.c1eImage(), kLayouts[0].image);
    expectAt(form.c1eIntervalsLeft(0), kLayouts[0].frame);
    EXPECT_EQ(form.c1eIntervalsLeft(6)->Top(), 5 * form.c1eIntervalsLeft(1)->Height());
    EXPECT_EQ(geometryOf(form.c1eAdvertiserLogo()), primed(5));
}

struct StackCase {
    const char* name;
    double frameHeight;
    unsigned boxes;
    std::vector<double> tops;
    double height;
};

class StackTable : public LayoutForm, public ::testing::WithParamInterface<StackCase> {};

TEST_P(StackTable, SharesTheFrameInWholeNumbers)
{
    const StackCase& c = GetParam();
    showBoxes(c.boxes);
    form.c1eIntervalsLeft(0)->Move(50, 60, 2500, c.frameHeight);
    modCountdown::StackIntervalBoxes(form);
    std::vector<double> tops;
    for (int i = 1; i <= 6; ++i) {
        const ElasticPanel* box = form.c1eIntervalsLeft(i);
        if (!box->Visible())
            continue;
        tops.push_back(box->Top());
        EXPECT_EQ(geometryOf(box), (Geometry{box->Top(), 0, 2500, c.height})) << i;
    }
    EXPECT_EQ(tops, c.tops);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, StackTable,
    ::testing::Values(StackCase{"ThreeInAThousand", 1000, 0x15, {0, 333, 666}, 333},
                      StackCase{"OneTakesTheWholeFrame", 999.6, 0x08, {0}, 1000},
                      StackCase{"HalfGoesToEvenDown", 1001, 0x30, {0, 500}, 500},
                      StackCase{"HalfGoesToEvenUp", 1003, 0x03, {0, 502}, 502},
                      StackCase{"PastSixteenBits", 6 * 12000, 0x3F, {0, 12000, 24000, 36000, 48000, 60000}, 12000},
                      StackCase{"NegativeFrameGivesEmptyBoxes", -600, 0x06, {0, 0}, 0}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(LayoutForm, StackingWithNoVisibleBoxLeavesEveryBoxAlone)
{
    showBoxes(0);
    const std::vector<Geometry> before = snapshot(form);
    form.c1eIntervalsLeft(0)->setHeight(1000);
    modCountdown::StackIntervalBoxes(form);
    const std::vector<Geometry> after = snapshot(form);
    EXPECT_TRUE(std::equal(before.begin() + 7, before.end(), after.begin() + 7));
}

TEST_F(LayoutForm, StackingPastThirtyTwoBitsIsAnOverflow)
{
    showBoxes(0x01);
    form.c1eIntervalsLeft(0)->setHeight(5e9);
    try {
        modCountdown::StackIntervalBoxes(form);
        FAIL() << "no error";
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.number, 6);
    }
    EXPECT_EQ(geometryOf(form.c1eIntervalsLeft(1)), primed(7));
}

} // namespace
