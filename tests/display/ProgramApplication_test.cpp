#include "display/DisplayContext.h"
#include "display/ProgramApplication.h"
#include "display/ProgramEnd.h"
#include "display/frmAlarm.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

std::exception_ptr thrown(const std::function<void()>& raise)
{
    try {
        raise();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

TEST(ProgramTrap, AnEscapedErrorIsOneMessageAndStatusOne)
{
    struct Case {
        const char* name;
        std::function<void()> raise;
        QString message;
    } const cases[] = {
        {"run-time error", [] { throw platform::VbError(platform::vberr::PathNotFound); }, "76\r\nPath not found"},
        {"no memory", [] { throw std::bad_alloc(); }, "7\r\nOut of memory"},
        {"other", [] { throw std::runtime_error("vector::at"); }, "vector::at"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestServices services;
        // Each case is a program of its own: its context holds the end and the report.
        DisplayContext context;

        ProgramTrap::endOnEscapedError(thrown(c.raise));
        // A second error, as a timer of the ending program might raise, adds no message.
        ProgramTrap::endOnEscapedError(thrown([] { throw platform::VbError(platform::vberr::DiskFull); }));

        ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
        EXPECT_EQ(services.ui().msgBoxes[0].prompt, c.message);
        EXPECT_TRUE(ProgramEnd::isEnding());
        EXPECT_EQ(ProgramEnd::exitCode(), 1);
    }
}

TEST(ProgramTrap, AFaultOfTheContextItselfIsStillOneMessage)
{
    TestServices services;
    ProgramTrap::endOnEscapedError(thrown([] { throw ProgramContext::Fault("No program context"); }));
    ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
    EXPECT_EQ(services.ui().msgBoxes[0].prompt, "No program context");
    EXPECT_THROW(ProgramEnd::isEnding(), ProgramContext::Fault);
}

TEST(ProgramEnd, ANewContextStartsWithNoEndAndItsEndBringsBackTheOneBefore)
{
    TestServices services;
    DisplayContext program;
    ProgramEnd::End(1);
    {
        DisplayContext next;
        EXPECT_FALSE(ProgramEnd::isEnding());
        EXPECT_EQ(ProgramEnd::exitCode(), 0);
        ProgramTrap::endOnEscapedError(thrown([] { throw std::runtime_error("first"); }));
        EXPECT_EQ(services.ui().msgBoxes.size(), 1u) << "an earlier program's report does not silence this one";
    }
    EXPECT_TRUE(ProgramEnd::isEnding());
    EXPECT_EQ(ProgramEnd::exitCode(), 1);
    ProgramTrap::endOnEscapedError(thrown([] { throw std::runtime_error("second"); }));
    EXPECT_EQ(services.ui().msgBoxes.size(), 2u) << "the first program had reported nothing yet";
}

TEST(ProgramEnd, TheAlarmWindowEndsWithItsContext)
{
    TestServices services;
    QPointer<frmAlarm> alarm;
    {
        DisplayContext program;
        alarm = &frmAlarm::instance();
        EXPECT_EQ(&frmAlarm::instance(), alarm.data());
    }
    EXPECT_TRUE(alarm.isNull());
    DisplayContext next;
    EXPECT_NE(&frmAlarm::instance(), nullptr);
}

} // namespace
