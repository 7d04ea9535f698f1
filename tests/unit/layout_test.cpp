#include "common/colours.h"
#include "common/layout.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace
{

TEST(TwipsToPixels, RoundsToTheNearestPixelAtEveryDpi)
{
    EXPECT_EQ(TwipsToPixels(6765, 96), 451);
    EXPECT_EQ(TwipsToPixels(5790, 96), 386);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);   // 0.47 px
    EXPECT_EQ(TwipsToPixels(8, 96), 1);   // 0.53 px
    EXPECT_EQ(TwipsToPixels(30, 120), 3); // 2.5 px rounds up, as MulDiv does
}

// Without high contrast every design colour stays; with it, each role takes its system colour.
TEST(ColourFor, KeepsTheDesignUnlessHighContrastGivesTheRoleItsSystemColour)
{
    constexpr Rgb kDesign{1, 2, 3};
    constexpr ColourScheme kScheme{false, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}};
    constexpr ColourScheme kHighContrast{true, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}, {40, 0, 0}};
    using enum ColourRole;
    for (const auto& [role, system] : {std::pair{WindowBackground, Rgb{10, 0, 0}},
                                       {LabelText, {20, 0, 0}},
                                       {ButtonFace, {30, 0, 0}},
                                       {ButtonText, {40, 0, 0}},
                                       {Line, {20, 0, 0}}})
    {
        SCOPED_TRACE(static_cast<int>(role));
        EXPECT_EQ(ColourFor(role, kDesign, kScheme), kDesign);
        EXPECT_EQ(ColourFor(role, kDesign, kHighContrast), system);
        EXPECT_EQ(ColourFor(role, std::nullopt, kScheme), system) << "a role the design leaves to the system";
    }
}

} // namespace
