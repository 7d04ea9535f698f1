#include "common/layout.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;

namespace
{

TEST(TwipsToPixels, RoundsToTheNearestPixelAtEveryDpi)
{
    EXPECT_EQ(TwipsToPixels(6765, 96), 451);
    EXPECT_EQ(TwipsToPixels(5790, 96), 386);
    EXPECT_EQ(TwipsToPixels(480, 144), 48);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);   // 0.47 px
    EXPECT_EQ(TwipsToPixels(8, 96), 1);   // 0.53 px
    EXPECT_EQ(TwipsToPixels(30, 120), 3); // 2.5 px rounds up, as MulDiv does
}

} // namespace
