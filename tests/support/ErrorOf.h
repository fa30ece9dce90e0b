#pragma once

#include "platform/VbError.h"

#include <gtest/gtest.h>

// The VbError number a call raises, or 0 when it raises none. A raised error must carry the
// standard description of its number, since the messages show that text beside the number.
template <typename Call>
int errorOf(Call call)
{
    try {
        call();
    } catch (const platform::VbError& error) {
        EXPECT_EQ(error.description, platform::vbErrorDescription(error.number)) << error.number;
        return error.number;
    }
    return 0;
}
