#include "app/main_commands.h"
#include "shell/shell_result.h"

#include "fakes.h"

#include <gtest/gtest.h>

#include <climits>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

// Spot checks: the help texts naming the document (with their odd spacing), the general text
// for the rest, "Unknown error" and the code otherwise, nothing above 32.
TEST(ReportShellResult, ShowsTheTextOfAFailureCodeAndNothingAbove32)
{
    constexpr auto General = ShellMessageVariant::General;
    constexpr auto Help = ShellMessageVariant::Help;
    const struct
    {
        std::int32_t code;
        ShellMessageVariant variant;
        const char* text; // nullptr: no message
    } rows[] = {{0, General, "Out of memory or resources"},
                {2, General, "File not found"},
                {3, General, "Path not found"},
                {5, General, "File access denied"},
                {2, Help, R"(File :C:\Tools\VelmoraHelp.pdf  not found)"},
                {3, Help, R"(Path :C:\Tools\VelmoraHelp.pdf not found)"},
                {5, Help, R"(File :C:\Tools\VelmoraHelp.pdf access denied)"},
                {8, Help, "Out of memory"},
                {11, General, "Invalid .EXE file"},
                {27, General, "Invalid file name association"},
                {31, General, "No associated application"},
                {32, General, "DLL not found"},
                {33, General, nullptr},
                {1, Help, "Unknown error 1"},
                {-2, General, "Unknown error -2"}};
    for (const auto& row : rows)
    {
        EventLog log;
        FakeDesktop desktop(log);
        ReportShellResult(row.code, row.variant, desktop);
        EXPECT_EQ(log, row.text ? EventLog{std::string("message warning [Error] ") + row.text} : EventLog{})
            << row.code;
    }
    EXPECT_EQ(ShellResultText(INT32_MIN, General, {}), "Unknown error -2147483648");
}

// A request that fails with a number the trap passes over leaves the result 0.
TEST(MenuCommands, OpenTheirTargetAndReportAFailedRequest)
{
    EventLog log;
    FakeDesktop desktop(log);
    desktop.Fail("shell", kErrInvalidArgument);
    cmdOpenRegistryEditor_Click(desktop, {});
    mnuHelp_Click(desktop, {});
    EXPECT_EQ(log, (EventLog{"shell 0 open [regedit] [] [] 1", "message warning [Error] Out of memory or resources",
                             R"(shell 0 open [C:\Tools\VelmoraHelp.pdf] [] [] 1)",
                             "message warning [Error] Out of memory or resources"}));
}

} // namespace
