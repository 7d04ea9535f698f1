#include "about/sysinfo.h"

#include "fakes.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <map>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

struct ReadCase
{
    const char* name;
    std::optional<RegistryValue> stored; // nothing: the key has no such value
    bool read;
    std::string text;
    bool keyExists = true;
};

class GetKeyValueTable : public testing::TestWithParam<ReadCase>
{
};

TEST_P(GetKeyValueTable, TrimsTheLastZeroAndConvertsByType)
{
    EventLog log;
    FakeRegistry registry(log);
    if (GetParam().keyExists)
        registry.keys["Key"] = {};
    if (GetParam().stored)
        registry.keys["Key"]["Value"] = *GetParam().stored;
    std::string value = GetParam().read ? "" : "left over";
    EXPECT_EQ(GetKeyValue(registry, RegistryRoot::LocalMachine, "Key", "Value", value), GetParam().read);
    EXPECT_EQ(value, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GetKeyValueTable,
    testing::Values(
        ReadCase{"TextWithItsZero", RegistryValue{kRegSz, std::string("C:\\msinfo.exe\0", 14)}, true, "C:\\msinfo.exe"},
        ReadCase{"TwoTrailingZerosLoseOne", RegistryValue{kRegSz, std::string("ab\0\0", 4)}, true,
                 std::string("ab\0", 3)},
        ReadCase{"SizeZero", RegistryValue{kRegSz, ""}, true, ""},
        ReadCase{"Exactly1024Bytes", RegistryValue{kRegSz, std::string(1024, 'x')}, true, std::string(1024, 'x')},
        ReadCase{"LongerThanTheBufferCountsAsMissing", RegistryValue{kRegSz, std::string(1025, 'x')}, false, ""},
        ReadCase{"DwordOneLosesItsZeroTopByte", RegistryValue{kRegDword, std::string("\x01\0\0\0", 4)}, true,
                 "&h000001"},
        ReadCase{"DwordInCapitals", RegistryValue{kRegDword, std::string("\xAB\xCD\x00\x12", 4)}, true, "&h1200CDAB"},
        ReadCase{"ExpandableTextIsReadButNotConverted", RegistryValue{2, std::string("C:\\x\0", 5)}, true, ""},
        ReadCase{"MissingValue", std::nullopt, false, ""}, ReadCase{"MissingKey", std::nullopt, false, "", false}),
    RowName());

class FakeLauncher : public ProgramLauncher
{
public:
    explicit FakeLauncher(EventLog& log) : m_log(log) {}
    std::vector<std::string> existingFiles;
    FailurePlan failures;

    bool FileExists(std::string_view path) override
    {
        m_log.push_back("exists? " + std::string(path));
        return std::find(existingFiles.begin(), existingFiles.end(), path) != existingFiles.end();
    }
    void StartProgram(std::string_view path, int windowMode) override
    {
        m_log.push_back("start [" + std::string(path) + "] " + std::to_string(windowMode));
        failures.ThrowIfPlanned("start");
    }

private:
    EventLog& m_log;
};

constexpr const char* kLookup1 = R"(open HKEY_LOCAL_MACHINE SOFTWARE\Microsoft\Shared Tools\MSINFO read)";
constexpr const char* kLookup2 = R"(open HKEY_LOCAL_MACHINE SOFTWARE\Microsoft\Shared Tools Location read)";
constexpr const char* kUnavailable = "message plain [(app title)] System Information Is Unavailable At This Time";

class SysInfo : public testing::Test
{
protected:
    EventLog log;
    FakeRegistry registry{log};
    FakeLauncher launcher{log};
    FakeDesktop desktop{log};

    EventLog Run()
    {
        StartSysInfo(registry, launcher, desktop);
        return log;
    }
    void SetPath(const std::string& path, std::uint32_t type = kRegSz)
    {
        registry.keys[R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)"]["PATH"] = {type, path + std::string(1, '\0')};
    }
    void SetFolder(const std::string& folder)
    {
        registry.keys[R"(SOFTWARE\Microsoft\Shared Tools Location)"]["MSINFO"] = {kRegSz, folder};
    }
};

TEST_F(SysInfo, StartsThePathOfTheFirstLookupWithoutReadingTheSecond)
{
    SetPath(R"(C:\Program Files\Common Files\msinfo32.exe)");
    SetFolder(R"(C:\Other)");
    EXPECT_EQ(Run(), (EventLog{kLookup1, "query PATH", R"(start [C:\Program Files\Common Files\msinfo32.exe] 1)"}));
}

TEST_F(SysInfo, AFirstPathThatCannotStartIsReportedAndTheSecondLookupNotMade)
{
    SetPath(R"(C:\No Such\msinfo32.exe)");
    SetFolder(R"(C:\Tools)");
    launcher.existingFiles = {R"(C:\Tools\MSINFO32.EXE)"};
    launcher.failures.Fail("start", kErrFileNotFound);
    EXPECT_EQ(Run(), (EventLog{kLookup1, "query PATH", R"(start [C:\No Such\msinfo32.exe] 1)", kUnavailable}));
}

TEST_F(SysInfo, FallsBackToTheFolderOfTheSecondLookupWhenItHoldsTheTool)
{
    SetFolder(R"(C:\Tools\)");
    launcher.existingFiles = {R"(C:\Tools\\MSINFO32.EXE)"};
    EXPECT_EQ(Run(), (EventLog{kLookup1, kLookup2, "query MSINFO", R"(exists? C:\Tools\\MSINFO32.EXE)",
                               R"(start [C:\Tools\\MSINFO32.EXE] 1)"}));
}

TEST_F(SysInfo, FolderWithoutTheToolIsReportedAndNothingStarted)
{
    SetFolder(R"(C:\Tools)");
    EXPECT_EQ(Run(), (EventLog{kLookup1, kLookup2, "query MSINFO", R"(exists? C:\Tools\MSINFO32.EXE)", kUnavailable}));
}

TEST_F(SysInfo, NeitherValueIsReported)
{
    registry.keys[R"(SOFTWARE\Microsoft\Shared Tools\MSINFO)"] = {};
    EXPECT_EQ(Run(), (EventLog{kLookup1, "query PATH", kLookup2, kUnavailable}));
}

TEST_F(SysInfo, APathOfAnotherTypeCountsAsFoundButEmptyAndFailsToStart)
{
    SetPath(R"(%SystemRoot%\msinfo32.exe)", 2);
    launcher.failures.Fail("start", kErrFileNotFound);
    EXPECT_EQ(Run(), (EventLog{kLookup1, "query PATH", "start [] 1", kUnavailable}));
}

} // namespace
