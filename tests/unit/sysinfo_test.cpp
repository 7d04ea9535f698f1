#include "about/sysinfo.h"

#include "fakes.h"

#include <gtest/gtest.h>

#include <map>

using namespace velmora;
using namespace velmora::testing_support;
using namespace std::string_literals;

namespace
{

class FakeLauncher : public ProgramLauncher, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;
    std::string existingFile;

    bool FileExists(std::string_view path) override
    {
        Record("exists? " + std::string(path));
        return path == existingFile;
    }
    void StartProgram(std::string_view path, int windowMode) override
    {
        Record("start [" + std::string(path) + "] " + std::to_string(windowMode));
    }
};

constexpr const char* kToolKey = R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
constexpr const char* kFolderKey = R"(SOFTWARE\Microsoft\Shared Tools Location)";
constexpr const char* kLookup1 = R"(open HKEY_LOCAL_MACHINE SOFTWARE\Microsoft\Shared Tools\MSINFO)";
constexpr const char* kLookup2 = R"(open HKEY_LOCAL_MACHINE SOFTWARE\Microsoft\Shared Tools Location)";
constexpr const char* kUnavailable = "message plain [(app title)] System Information Is Unavailable At This Time";

using Keys = std::map<std::string, std::map<std::string, RegistryValue>>;

Keys Path(std::uint32_t type, const std::string& bytes)
{
    return {{kToolKey, {{"PATH", {type, bytes}}}}, {kFolderKey, {{"MSINFO", {kRegSz, R"(C:\Other)"}}}}};
}

Keys Folder(const std::string& folder)
{
    return {{kFolderKey, {{"MSINFO", {kRegSz, folder}}}}};
}

struct SysInfoCase
{
    const char* name;
    Keys keys;
    EventLog events;
    bool startFails = false;
    std::string existingFile = {};
};

class SysInfo : public testing::TestWithParam<SysInfoCase>
{
};

// The tool's path from the first lookup, else the tool in the folder of the second; a text loses
// its last zero, a dword becomes "&h" and its hex digits; anything that fails is reported.
TEST_P(SysInfo, StartsTheToolFoundFirstOrReportsItUnavailable)
{
    EventLog log;
    FakeRegistry registry(log);
    FakeLauncher launcher(log);
    FakeDesktop desktop(log);
    registry.keys = GetParam().keys;
    launcher.existingFile = GetParam().existingFile;
    if (GetParam().startFails)
        launcher.Fail("start", kErrFileNotFound);
    StartSysInfo(registry, launcher, desktop);
    EXPECT_EQ(log, GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SysInfo,
    testing::Values(
        SysInfoCase{"PathOfTheFirstLookupWithoutReadingTheSecond",
                    Path(kRegSz, "C:\\Program Files\\msinfo32.exe\0"s),
                    {kLookup1, "query PATH", R"(start [C:\Program Files\msinfo32.exe] 1)"}},
        SysInfoCase{"TwoTrailingZerosLoseOne", Path(kRegSz, "ab\0\0"s), {kLookup1, "query PATH", "start [ab\0] 1"s}},
        SysInfoCase{"EmptyText", Path(kRegSz, ""), {kLookup1, "query PATH", "start [] 1"}},
        SysInfoCase{
            "DwordLosesItsZeroTopByte", Path(kRegDword, "\x01\0\0\0"s), {kLookup1, "query PATH", "start [&h000001] 1"}},
        SysInfoCase{
            "DwordInCapitals", Path(kRegDword, "\xAB\xCD\x00\x12"s), {kLookup1, "query PATH", "start [&h1200CDAB] 1"}},
        SysInfoCase{"APathOfAnotherTypeIsFoundEmptyItsFailedStartReportedAndTheSecondLookupNotMade",
                    Path(2, "%SystemRoot%\\msinfo32.exe\0"s),
                    {kLookup1, "query PATH", "start [] 1", kUnavailable},
                    true,
                    R"(C:\Other\MSINFO32.EXE)"},
        SysInfoCase{"TheFolderOfTheSecondLookupKeepsItsLastByte",
                    Folder(R"(C:\Tools\)"),
                    {kLookup1, kLookup2, "query MSINFO", R"(exists? C:\Tools\\MSINFO32.EXE)",
                     R"(start [C:\Tools\\MSINFO32.EXE] 1)"},
                    false,
                    R"(C:\Tools\\MSINFO32.EXE)"},
        SysInfoCase{"FolderWithoutTheTool",
                    Folder(R"(C:\Tools)"),
                    {kLookup1, kLookup2, "query MSINFO", R"(exists? C:\Tools\MSINFO32.EXE)", kUnavailable}},
        SysInfoCase{"NeitherValue", {{kToolKey, {}}}, {kLookup1, "query PATH", kLookup2, kUnavailable}}),
    RowName());

} // namespace
