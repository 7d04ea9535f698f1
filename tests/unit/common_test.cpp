// The portable vocabulary: colours and failure numbers. UTF-16 text is decoded in the undo file's
// tests; twips become pixels in the end-to-end sessions, at 96 and 144 dpi, where half rounds up.
#include "common/colours.h"
#include "common/runtime_failure.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace velmora;

namespace
{

// Without high contrast every design colour stays; with it, each role takes its system colour.
// Wine has no high-contrast theme, so this is the colours' only test.
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

// Every failure the program raises says in words what it is, each in its own; a number it never
// raises has no words.
TEST(StandardDescription, NamesEveryFailureTheProgramRaises)
{
    std::set<std::string> descriptions;
    for (const std::int32_t number :
         {kErrInvalidArgument, kErrOutOfMemory, kErrInternal, kErrBadFileNameOrNumber, kErrFileNotFound,
          kErrFileAlreadyExists, kErrDiskFull, kErrPermissionDenied, kErrPathFileAccess, kErrPathNotFound,
          kErrInvalidUseOfNull, kErrInvalidPropertyValue, kErrNoCodePageMapping})
        EXPECT_TRUE(descriptions.insert(RuntimeFailure(number).Description()).second && !descriptions.contains(""))
            << number;
    EXPECT_EQ(RuntimeFailure(1).Description(), "");
}

} // namespace
