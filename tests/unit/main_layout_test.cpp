#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace velmora;

namespace
{

bool TakesFocus(const ControlSpec& control)
{
    return control.kind != ControlKind::Label;
}

TEST(MainLayout, TabRunsThroughTheFieldsThenTheButtons)
{
    std::vector<ControlSpec> focusable;
    for (const ControlSpec& control : MainWindowControls())
    {
        if (TakesFocus(control))
            focusable.push_back(control);
    }
    std::ranges::sort(focusable, {}, &ControlSpec::tabIndex);
    std::vector<std::string> order;
    for (const ControlSpec& control : focusable)
        order.push_back(std::string(control.name) + (control.index >= 0 ? std::to_string(control.index) : ""));
    EXPECT_EQ(order, (std::vector<std::string>{"txtLoc0", "txtLoc1", "txtLoc2", "txtLoc3", "cmdSelectFile",
                                               "txtSelectFile", "cmdSaveToRegistry", "cmdOpenRegistryEditor"}));
}

TEST(MainLayout, TxtLocIsAGroupOfFourWithoutGaps)
{
    for (int index = 0; index < 4; ++index)
        EXPECT_NE(FindControl(MainWindowControls(), "txtLoc", index), nullptr) << index;
    EXPECT_EQ(FindControl(MainWindowControls(), "txtLoc", 4), nullptr);
}

TEST(MainLayout, ControlsStayInsideTheClientAreaAndOffTheIconCorner)
{
    for (const ControlSpec& control : MainWindowControls())
    {
        SCOPED_TRACE(std::string(control.name));
        EXPECT_GE(control.left, 0);
        EXPECT_LE(control.left + control.width, kMainClientWidth);
        EXPECT_LE(control.top + control.height, kMainClientHeight);
        EXPECT_FALSE(control.left < kIconCornerSize && control.top < kIconCornerSize);
    }
}

TEST(MainLayout, IdsAndTabIndicesAreUnique)
{
    std::set<int> ids;
    std::set<int> tabIndices;
    for (const ControlSpec& control : MainWindowControls())
    {
        EXPECT_TRUE(ids.insert(control.id).second) << control.name;
        EXPECT_TRUE(tabIndices.insert(control.tabIndex).second) << control.name;
    }
}

TEST(MainLayout, OnlyTheTwoMainButtonsHaveAFaceColourAndThePathLabelNoTextColour)
{
    for (const ControlSpec& control : MainWindowControls())
    {
        const bool coloured = control.name == "cmdSaveToRegistry" || control.name == "cmdOpenRegistryEditor";
        EXPECT_EQ(control.faceColour.has_value(), coloured) << control.name;
        if (control.kind == ControlKind::Label)
        {
            EXPECT_EQ(control.textColour.has_value(), control.name != "lblPath") << control.name;
        }
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
