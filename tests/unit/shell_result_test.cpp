#include "app/main_commands.h"
#include "shell/shell_result.h"

#include "fakes.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

constexpr const char* kHelpDocument = R"(C:\Tools\VelmoraHelp.pdf)";

// What the message table must satisfy rather than a copy of it: every code of 32 or less has a
// message, a code with a row of its own a text of its own (0 and 8 differ), every other code
// "Unknown error" and its number; above 32, none. The help texts name the document for 2, 3 and 5.
TEST(ShellResultText, EveryFailureCodeHasAMessageAndASuccessNone)
{
    const std::set<std::int32_t> codesWithRows = {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
    const ShellMessageVariant help = ShellMessageVariant::Help(kHelpDocument);
    std::set<std::string> rowTexts;
    for (std::int32_t code = -2; code <= 32; ++code)
    {
        const std::optional<std::string> text = ShellResultText(code, ShellMessageVariant::General);
        ASSERT_TRUE(text) << code;
        if (codesWithRows.contains(code))
            EXPECT_TRUE(!text->empty() && !text->starts_with("Unknown") && rowTexts.insert(*text).second) << code;
        else
            EXPECT_EQ(*text, "Unknown error " + std::to_string(code));
        const std::optional<std::string> helpText = ShellResultText(code, help);
        ASSERT_TRUE(helpText) << code;
        EXPECT_EQ(helpText->find(kHelpDocument) != std::string::npos, code == 2 || code == 3 || code == 5) << code;
    }
    // Literal rows where the exact text is the point (code 3 is the help command's test).
    for (const auto& [why, code, exact] :
         {std::tuple{"TheProductsOwnTwoSpaces", 2, R"(File :C:\Tools\VelmoraHelp.pdf  not found)"},
          {"ThePathRunsIntoTheColon", 5, R"(File :C:\Tools\VelmoraHelp.pdf access denied)"},
          {"TheWholeNumberWithItsSign", INT32_MIN, "Unknown error -2147483648"}})
        EXPECT_EQ(ShellResultText(code, help), exact) << why;
    for (const std::int32_t code : {33, 34, INT32_MAX})
        EXPECT_EQ(ShellResultText(code, help), std::nullopt) << code;
}

// The help command hands one path to the request and to its message; the registry editor's code 3
// is the general text; a success shows nothing; a request failure the trap passes over leaves the
// result 0.
TEST(MenuCommands, OpenTheirTargetAndReportAFailedRequest)
{
    EventLog log;
    FakeDesktop desktop(log);
    desktop.shellResult = 3;
    mnuHelp_Click(desktop, {});
    cmdOpenRegistryEditor_Click(desktop, {});
    desktop.shellResult = 33;
    cmdOpenRegistryEditor_Click(desktop, {});
    desktop.Fail("shell", kErrInvalidArgument);
    mnuHelp_Click(desktop, {});
    cmdOpenRegistryEditor_Click(desktop, {});
    const std::string help = R"(shell 0 open [C:\Tools\VelmoraHelp.pdf] [] [] 1)";
    const std::string regedit = "shell 0 open [regedit] [] [] 1";
    const std::string zero = "message warning [Error] Out of memory or resources";
    EXPECT_EQ(log, (EventLog{help, R"(message warning [Error] Path :C:\Tools\VelmoraHelp.pdf not found)", regedit,
                             "message warning [Error] Path not found", regedit, help, zero, regedit, zero}));
}

} // namespace
