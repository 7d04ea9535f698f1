#include "common/shell_result.h"

#include "fakes.h"

#include <gtest/gtest.h>

#include <map>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

const std::map<std::int32_t, std::string> kGeneral = {
    {0, "Out of memory or resources"},
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
    {32, "DLL not found"},
};

const std::map<std::int32_t, std::string> kHelp = {
    {2, R"(File :C:\Tools\VelmoraHelp.pdf  not found)"},
    {3, R"(Path :C:\Tools\VelmoraHelp.pdf not found)"},
    {5, R"(File :C:\Tools\VelmoraHelp.pdf access denied)"},
};

std::optional<std::string> Expected(std::int32_t code, ShellMessageVariant variant)
{
    if (code > 32)
        return std::nullopt;
    if (variant == ShellMessageVariant::Help && kHelp.contains(code))
        return kHelp.at(code);
    if (kGeneral.contains(code))
        return kGeneral.at(code);
    return "Unknown error " + std::to_string(code);
}

TEST(ReportShellResult, ShowsTheTableTextForEveryFailureCodeAndNothingAbove32)
{
    for (const auto variant : {ShellMessageVariant::General, ShellMessageVariant::Help})
    {
        for (std::int32_t code = -2; code <= 40; ++code)
        {
            EventLog log;
            FakeDesktop desktop(log);
            ReportShellResult(code, variant, desktop);

            const auto expected = Expected(code, variant);
            const EventLog expectedLog =
                expected ? EventLog{"message 48 [Error] " + *expected} : EventLog{};
            EXPECT_EQ(log, expectedLog) << "code " << code << (variant == ShellMessageVariant::Help ? " help" : "");
        }
    }
}

TEST(ReportShellResult, ExtremeCodesTakeTheDefaultRowWithTheirSign)
{
    EXPECT_EQ(ShellResultText(INT32_MIN, ShellMessageVariant::General, [] { return std::string(); }),
              "Unknown error -2147483648");
    EXPECT_EQ(ShellResultText(INT32_MAX, ShellMessageVariant::General, [] { return std::string(); }), std::nullopt);
}

TEST(ReportShellResult, HelpTextsReadTheFolderAtTheMomentTheMessageIsBuilt)
{
    EventLog log;
    FakeDesktop desktop(log);
    ReportShellResult(31, ShellMessageVariant::Help, desktop);
    ReportShellResult(2, ShellMessageVariant::General, desktop);
    EXPECT_EQ(desktop.folderReads, 0);

    desktop.folder = R"(D:\)";
    ReportShellResult(2, ShellMessageVariant::Help, desktop);
    EXPECT_EQ(desktop.folderReads, 1);
    EXPECT_EQ(log.back(), R"(message 48 [Error] File :D:\\VelmoraHelp.pdf  not found)");
}

TEST(ShellOpenRequest, OpensWithEmptyParametersAndDirectoryInANormalWindow)
{
    EventLog log;
    FakeDesktop desktop(log);
    desktop.shellResult = 33;
    EXPECT_EQ(ShellOpenRequest(desktop, WindowRef{reinterpret_cast<void*>(std::uintptr_t{7})}, "regedit"), 33);
    EXPECT_EQ(log, EventLog{"shell 7 open [regedit] [] [] 1"});
}

} // namespace
