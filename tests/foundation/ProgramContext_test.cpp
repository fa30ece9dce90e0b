#include "foundation/ProgramContext.h"

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

} // namespace
