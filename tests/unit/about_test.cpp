// The About command, the dialog's load step, and the system information tool's lookup.
#include "about/about_commands.h"
#include "about/sysinfo.h"

#include "fakes.h"

using namespace velmora;
using namespace velmora::testing_support;
using namespace std::string_literals;

namespace
{

class FakeAbout : public AboutHost, public AboutView, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;
    bool open = false;

    bool IsAboutOpen() const override { return open; }
    void CreateAbout() override
    {
        Record("create");
        open = true;
    }
    void ShowAbout() override { Record("show"); }
    void SetVersionText(std::string_view text) override { Record("version", text); }
};

// At most one dialog, made when none is open; the load step fills in the version; every failure,
// even one that the standard trap would pass over, is reported.
TEST(AboutCommand, ShowsOneDialogAndReportsEveryFailure)
{
    EventLog log;
    FakeAbout about(log);
    FakeDesktop desktop(log);
    mnuAbout_Click(about, desktop);
    mnuAbout_Click(about, desktop);
    about.open = false; // closed by the user
    about.Fail("create", kErrInvalidArgument);
    mnuAbout_Click(about, desktop);
    frmAbout_Load(about, desktop);
    desktop.Fail("identity", kErrInvalidUseOfNull);
    frmAbout_Load(about, desktop);
    const std::string error = "message error [(app title)] Error Number: ";
    EXPECT_EQ(log, (EventLog{"create", "show", "show", "create", error + "5 Invalid procedure call or argument",
                             "identity", "version  Version 1.0.1\r\n\xC2\xA9 " VELMORA_COPYRIGHT_YEAR " Velmora",
                             "identity", error + "94 Invalid use of Null"}));
}

class FakeLauncher : public ProgramLauncher, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    bool FileExists(std::string_view path) override
    {
        Record("exists?", path);
        return path == R"(C:\Tools\\MSINFO32.EXE)"; // the one tool on this disk
    }
    void StartProgram(std::string_view path, int windowMode) override
    {
        Record("start", Br(path), std::to_string(windowMode));
        if (path.empty())
            throw RuntimeFailure(kErrFileNotFound);
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

// The tool's path from the first lookup, else the tool in the folder of the second; a text loses
// its last zero, a dword becomes "&h" and its hex digits; anything that fails is reported.
TEST(SysInfo, StartsTheToolFoundFirstOrReportsItUnavailable)
{
    for (const auto& [name, keys, events] : std::initializer_list<std::tuple<const char*, Keys, EventLog>>{
             {"PathOfTheFirstLookupWithoutReadingTheSecond",
              Path(kRegSz, "C:\\Program Files\\msinfo32.exe\0"s),
              {kLookup1, "query PATH", R"(start [C:\Program Files\msinfo32.exe] 1)"}},
             {"DwordInCapitals",
              Path(kRegDword, "\xAB\xCD\x00\x12"s),
              {kLookup1, "query PATH", "start [&h1200CDAB] 1"}},
             {"APathOfAnotherTypeIsFoundEmptyItsFailedStartReportedAndTheSecondLookupNotMade",
              Path(2, "%SystemRoot%\\msinfo32.exe\0"s),
              {kLookup1, "query PATH", "start [] 1", kUnavailable}},
             {"WithoutAPathValueTheFolderOfTheSecondLookupKeepsItsLastByte",
              Keys{{kToolKey, {}}, {kFolderKey, {{"MSINFO", {kRegSz, R"(C:\Tools\)"}}}}},
              {kLookup1, "query PATH", kLookup2, "query MSINFO", R"(exists? C:\Tools\\MSINFO32.EXE)",
               R"(start [C:\Tools\\MSINFO32.EXE] 1)"}},
             {"FolderWithoutTheTool",
              {{kFolderKey, {{"MSINFO", {kRegSz, R"(C:\Other)"}}}}},
              {kLookup1, kLookup2, "query MSINFO", R"(exists? C:\Other\MSINFO32.EXE)", kUnavailable}}})
    {
        EventLog log;
        FakeRegistry registry(log);
        FakeLauncher launcher(log);
        FakeDesktop desktop(log);
        registry.keys = keys;
        StartSysInfo(registry, launcher, desktop);
        EXPECT_EQ(log, events) << name;
    }
}

} // namespace
