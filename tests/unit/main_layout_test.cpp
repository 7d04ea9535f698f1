#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace velmora;

namespace
{

TEST(MainLayout, ControlsStayInsideTheClientAreaAndOffTheIconCorner)
{
    for (const ControlDef& control : MainWindowControls())
    {
        SCOPED_TRACE(std::string(control.name));
        EXPECT_GE(control.left, 0);
        EXPECT_LE(control.left + control.width, kMainClientWidth);
        EXPECT_LE(control.top + control.height, kMainClientHeight);
        if (control.kind != ControlKind::Picture)
        {
            EXPECT_FALSE(control.left < kIconCornerSize && control.top < kIconCornerSize);
        }
    }
}

TEST(MainLayout, IdsAndTabIndicesAreUnique)
{
    std::set<int> ids;
    std::set<int> tabIndices;
    for (const ControlDef& control : MainWindowControls())
    {
        EXPECT_TRUE(ids.insert(control.id).second) << control.name;
        EXPECT_TRUE(tabIndices.insert(control.tabIndex).second) << control.name;
    }
}

TEST(TwipsToPixels, RoundsToTheNearestPixelAtEveryDpi)
{
    EXPECT_EQ(TwipsToPixels(6765, 96), 451);
    EXPECT_EQ(TwipsToPixels(5790, 96), 386);
    EXPECT_EQ(TwipsToPixels(480, 144), 48);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);  // 0.47 px
    EXPECT_EQ(TwipsToPixels(8, 96), 1);  // 0.53 px
    EXPECT_EQ(TwipsToPixels(30, 120), 3); // 2.5 px rounds up, as MulDiv does
}

} // namespace
