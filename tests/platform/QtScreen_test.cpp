#include "platform/QtScreen.h"

#include <gtest/gtest.h>

namespace {

TEST(QtScreen, ColourDepthIsBitsPerPixel)
{
    struct Case {
        int visualDepth;
        int bitsPerPixel;
    };
    const Case cases[] = {{32, 32}, {30, 32}, {24, 32}, {16, 16}, {15, 16}, {8, 8}, {1, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::bitsPerPixelOfDepth(c.visualDepth), c.bitsPerPixel) << c.visualDepth;
}

} // namespace
