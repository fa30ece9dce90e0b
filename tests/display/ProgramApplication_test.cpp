#include "display/ProgramApplication.h"
#include "display/ProgramEnd.h"
#include "platform/VbError.h"
#include "support/TestServices.h"

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
        ProgramEnd::reset();
        ProgramTrap::reset();

        ProgramTrap::endOnEscapedError(thrown(c.raise));
        // A second error, as a timer of the ending program might raise, adds no message.
        ProgramTrap::endOnEscapedError(thrown([] { throw platform::VbError(platform::vberr::DiskFull); }));

        ASSERT_EQ(services.ui().msgBoxes.size(), 1u);
        EXPECT_EQ(services.ui().msgBoxes[0].prompt, c.message);
        EXPECT_TRUE(ProgramEnd::isEnding());
        EXPECT_EQ(ProgramEnd::exitCode(), 1);
    }
    ProgramEnd::reset();
    ProgramTrap::reset();
}

} // namespace
