#include "app/main_commands.h"
#include "common/shell_result.h"

#include "fakes.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

// Every failure code from -2 to 40 in both variants: the table's own texts, the help texts naming
// the document (with their odd spacing), "Unknown error" and the code otherwise, nothing above 32.
TEST(ReportShellResult, ShowsTheTableTextForEveryFailureCodeAndNothingAbove32)
{
    const std::map<std::int32_t, std::string> general = {{0, "Out of memory or resources"},
                                                         {2, "File not found"},
                                                         {3, "Path not found"},
                                                         {5, "File access denied"},
                                                         {8, "Out of memory"},
                                                         {11, "Invalid .EXE file"},
                                                         {26, "Sharing violation"},
                                                         {27, "Invalid file name association"},
                                                         {28, "DDE timeout"},
                                                         {29, "DDE transaction failed"},
                                                         {30, "DDE busy"},
                                                         {31, "No associated application"},
                                                         {32, "DLL not found"}};
    const std::map<std::int32_t, std::string> help = {{2, R"(File :C:\Tools\VelmoraHelp.pdf  not found)"},
                                                      {3, R"(Path :C:\Tools\VelmoraHelp.pdf not found)"},
                                                      {5, R"(File :C:\Tools\VelmoraHelp.pdf access denied)"}};
    for (const auto variant : {ShellMessageVariant::General, ShellMessageVariant::Help})
    {
        for (std::int32_t code = -2; code <= 40; ++code)
        {
            EventLog log;
            FakeDesktop desktop(log);
            ReportShellResult(code, variant, desktop);

            std::string text = "Unknown error " + std::to_string(code);
            if (variant == ShellMessageVariant::Help && help.contains(code))
                text = help.at(code);
            else if (general.contains(code))
                text = general.at(code);
            EXPECT_EQ(log, code > 32 ? EventLog{} : EventLog{"message warning [Error] " + text})
                << "code " << code << (variant == ShellMessageVariant::Help ? " help" : "");
            EXPECT_EQ(desktop.folderReads, variant == ShellMessageVariant::Help && help.contains(code) ? 1 : 0)
                << "the folder is read only for a help text, when it is built";
        }
    }
    EXPECT_EQ(ShellResultText(INT32_MIN, ShellMessageVariant::General, {}), "Unknown error -2147483648");
}

TEST(MainCommands, OpenTheRegistryEditorAndTheHelpDocumentAndReportTheShellsFailures)
{
    EventLog log;
    FakeDesktop desktop(log);
    const WindowRef owner{reinterpret_cast<void*>(std::uintptr_t{7})};
    desktop.shellResult = 2;
    cmdOpenRegistryEditor_Click(desktop, owner);
    mnuHelp_Click(desktop, owner);
    desktop.failures.Fail("shell", kErrInvalidArgument); // skipped: the result stays 0
    cmdOpenRegistryEditor_Click(desktop, owner);
    mnuHelp_Click(desktop, owner);
    const std::string help = R"(shell 7 open [C:\Tools\VelmoraHelp.pdf] [] [] 1)";
    const std::string outOfMemory = "message warning [Error] Out of memory or resources";
    EXPECT_EQ(log, (EventLog{"shell 7 open [regedit] [] [] 1", "message warning [Error] File not found", help,
                             R"(message warning [Error] File :C:\Tools\VelmoraHelp.pdf  not found)",
                             "shell 7 open [regedit] [] [] 1", outOfMemory, help, outOfMemory}));
}

} // namespace
