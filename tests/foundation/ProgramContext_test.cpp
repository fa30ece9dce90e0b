#include "foundation/ProgramContext.h"

#include "foundation/OleDate.h"
#include "foundation/ScreenMetrics.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// The text of the fault the current read raises; empty when the read succeeds.
std::string faultOfReading()
{
    try {
        ProgramContext::current();
        return {};
    } catch (const ProgramContext::Fault& fault) {
        return fault.what();
    }
}

TEST(ProgramContext, AReadBeforeAnyContextWasMadeFailsWithAClearError)
{
    EXPECT_THROW(ProgramContext::current(), ProgramContext::Fault);
    EXPECT_NE(faultOfReading().find("No program context"), std::string::npos) << faultOfReading();
    {
        ProgramContext context;
        EXPECT_EQ(&ProgramContext::current(), &context);
    }
    // Nothing made in between stays behind as a default.
    EXPECT_NE(faultOfReading().find("No program context"), std::string::npos) << faultOfReading();
}

TEST(ProgramContext, AContextDestroyedWhileANewerOneStandsIsAFaultUntilNoneStands)
{
    auto outer = std::make_unique<ProgramContext>();
    {
        ProgramContext inner;
        outer.reset();
        EXPECT_NE(faultOfReading().find("destroyed while a newer one still stood"), std::string::npos)
            << faultOfReading();
    }
    EXPECT_NE(faultOfReading().find("No program context"), std::string::npos) << faultOfReading();
    ProgramContext next;
    EXPECT_EQ(faultOfReading(), "");
    EXPECT_EQ(&ProgramContext::current(), &next);
}

TEST(ProgramContext, TheFaultOfAMiddleContextLastsWhileTheOneBelowItStands)
{
    auto first = std::make_unique<ProgramContext>();
    auto second = std::make_unique<ProgramContext>();
    auto third = std::make_unique<ProgramContext>();
    second.reset();
    EXPECT_THROW(ProgramContext::current(), ProgramContext::Fault);
    // The newest one ends in order, onto the first, whose program state is no longer whole.
    third.reset();
    EXPECT_NE(faultOfReading().find("destroyed while a newer one still stood"), std::string::npos)
        << faultOfReading();
    first.reset();
    ProgramContext fresh;
    EXPECT_EQ(&ProgramContext::current(), &fresh);
}

TEST(ProgramContext, ContextsDestroyedInReverseOrderBringBackTheOneTheyReplaced)
{
    ProgramContext outer;
    outer.appPath = QStringLiteral("\\opt\\outer");
    {
        ProgramContext inner;
        EXPECT_EQ(&ProgramContext::current(), &inner);
    }
    EXPECT_EQ(&ProgramContext::current(), &outer);
    EXPECT_EQ(ProgramContext::current().appPath, QStringLiteral("\\opt\\outer"));
}

// The screen metrics and the clock of the program that stands, in one line to compare.
std::string outerValues()
{
    return std::to_string(modForm::TwipsPerPixelX) + " " + std::to_string(modForm::TwipsPerPixelY) + " "
           + std::to_string(modForm::ScreenWidthPixels) + " " + std::to_string(modForm::ScreenHeightPixels) + " "
           + std::to_string(vb::now());
}

void setOuterValues(int16_t twips, int16_t width, int16_t height, double clock)
{
    modForm::TwipsPerPixelX = modForm::TwipsPerPixelY = twips;
    modForm::ScreenWidthPixels = width;
    modForm::ScreenHeightPixels = height;
    vb::setClock([clock] { return clock; });
}

TEST(ProgramContext, ANewContextStartsWithNoScreenMetricsAndTheSystemClockAndItsEndGivesBackTheOnesBefore)
{
    ProgramContext program;
    setOuterValues(15, 1024, 768, 100.5);
    const std::string programs = outerValues();
    EXPECT_EQ(programs, "15 15 1024 768 " + std::to_string(100.5));
    {
        ProgramContext next;
        EXPECT_EQ(modForm::TwipsPerPixelX, 0);
        EXPECT_EQ(modForm::ScreenWidthPixels, 0);
        EXPECT_GT(vb::now(), 40000.0) << "the system clock, not the one of the program before";
        setOuterValues(12, 800, 600, 7.25);
    }
    EXPECT_EQ(outerValues(), programs);
    vb::setClock({});
}

TEST(ProgramContext, AContextEndedOutOfOrderLeavesWhatStoodBeforeItToTheNewerOne)
{
    setOuterValues(15, 1024, 768, 100.5);
    const std::string before = outerValues();
    auto outer = std::make_unique<ProgramContext>();
    setOuterValues(12, 800, 600, 7.25);
    {
        ProgramContext inner;
        setOuterValues(10, 640, 480, 3.0);
        outer.reset();
        EXPECT_EQ(modForm::TwipsPerPixelX, 10) << "the newer context's values stay while it stands";
    }
    EXPECT_EQ(outerValues(), before);
    setOuterValues(0, 0, 0, 0);
    vb::setClock({});
}

} // namespace
