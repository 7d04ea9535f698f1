// The registry value reader against real values, and the system-information launcher with the
// real registry and real processes; only its message box is recorded instead of shown.
#include "about/sysinfo_win32.h"

#include "row_name.h"
#include "test_support.h"
#include "win32/wide.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

constexpr std::uint32_t kHkeyCurrentUser = 0x80000001;
constexpr const wchar_t* kValuesKey = LR"(Software\VelmoraTest\Values)";

struct RealValue
{
    const char* name;
    DWORD type;
    std::string bytes;
    bool read;
    std::string text;
};

std::string Utf16Bytes(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

class GetKeyValueWin32 : public testing::TestWithParam<RealValue>
{
protected:
    ScopedTestKey cleanup{HKEY_CURRENT_USER, LR"(Software\VelmoraTest)"};
};

TEST_P(GetKeyValueWin32, ReadsTheReportedBytesAndConvertsByType)
{
    const RealValue& value = GetParam();
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kValuesKey, L"Value", value.type, value.bytes.data(),
                                static_cast<DWORD>(value.bytes.size())),
              ERROR_SUCCESS);
    win32::Win32RegistryReader registry;
    std::string text;
    EXPECT_EQ(GetKeyValue(registry, kHkeyCurrentUser, R"(Software\VelmoraTest\Values)", "Value", text), value.read);
    EXPECT_EQ(text, value.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GetKeyValueWin32,
    testing::Values(
        RealValue{"TextWithItsZero", REG_SZ, Utf16Bytes(std::wstring(L"C:\\msinfo.exe\0", 14)), true, "C:\\msinfo.exe"},
        RealValue{"TextWithoutZero", REG_SZ, Utf16Bytes(L"C:\\msinfo.exe"), true, "C:\\msinfo.exe"},
        RealValue{"TwoTrailingZerosLoseOne", REG_SZ, Utf16Bytes(std::wstring(L"ab\0\0", 4)), true,
                  std::string("ab\0", 3)},
        RealValue{"SizeZero", REG_SZ, "", true, ""},
        RealValue{"Latin1Text", REG_SZ, Utf16Bytes(std::wstring(L"C:\\Gr\u00FC\u00DFe\0", 9)), true,
                  "C:\\Gr\xC3\xBC\xC3\x9F\x65"},
        RealValue{"Exactly1024Bytes", REG_SZ, Utf16Bytes(std::wstring(512, L'x')), true, std::string(512, 'x')},
        RealValue{"MoreThan1024BytesIsMissing", REG_BINARY, std::string(1025, 'x'), false, ""},
        RealValue{"DwordOne", REG_DWORD, std::string("\x01\0\0\0", 4), true, "&h000001"},
        RealValue{"Dword12345678", REG_DWORD, "\x78\x56\x34\x12", true, "&h12345678"},
        RealValue{"ExpandableTextNotConverted", REG_EXPAND_SZ, Utf16Bytes(std::wstring(L"%WINDIR%\0", 9)), true,
                  ""}),
    RowName());

// A harmless program that stays running until it is ended: the minimal window beside the tests.
bool CopyHarmlessProgram(const std::wstring& to)
{
    const std::wstring module = win32::ModulePath();
    const std::wstring program = module.substr(0, module.find_last_of(L'\\')) + L"\\velmora_minimal_window.exe";
    return ::CopyFileW(program.c_str(), to.c_str(), FALSE) != FALSE;
}

// Records what it starts; the starting itself is the real one.
class RecordingLauncher : public win32::Win32ProgramLauncher
{
public:
    std::vector<std::string> started;
    void StartProgram(std::string_view path, int windowMode) override
    {
        Win32ProgramLauncher::StartProgram(path, windowMode);
        started.emplace_back(path);
    }
};

class StartSysInfoWin32 : public testing::Test
{
protected:
    static constexpr const wchar_t* kMsinfo = LR"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
    static constexpr const wchar_t* kLocation = LR"(SOFTWARE\Microsoft\Shared Tools Location)";

    StartSysInfoWin32() { Clear(); }
    ~StartSysInfoWin32() override { Clear(); }

    static void Clear()
    {
        ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMsinfo, L"PATH");
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kLocation);
    }
    static void SetString(const wchar_t* key, const wchar_t* name, const std::wstring& text)
    {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text.c_str(),
                                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    void Run() { StartSysInfo(registry, launcher, desktop); }

    win32::Win32RegistryReader registry;
    RecordingLauncher launcher;
    RecordingDesktop desktop;
    const std::vector<std::string> unavailable{"0 [] System Information Is Unavailable At This Time"};
};

TEST_F(StartSysInfoWin32, StartsTheProgramThatPathNames)
{
    SetString(kMsinfo, L"PATH", LR"(C:\windows\system32\msinfo32.exe)");
    Run();
    EXPECT_TRUE(desktop.messages.empty()) << desktop.messages.front();
    EXPECT_EQ(launcher.started, std::vector<std::string>{R"(C:\windows\system32\msinfo32.exe)"});
    EndProcessesNamed(L"msinfo32.exe"); // Wine's tool may or may not still be running
}

TEST_F(StartSysInfoWin32, APathWithSpacesIsNeverSplitIntoAnotherProgram)
{
    // An unquoted command line would run <folder>\Program.exe for <folder>\Program Files\...
    TempFolder folder;
    const std::wstring decoy = folder.Child(L"Program.exe");
    ASSERT_TRUE(CopyHarmlessProgram(decoy));
    SetString(kMsinfo, L"PATH", folder.Path() + LR"(\Program Files\Tool\msinfo32.exe)");

    Run();

    EXPECT_EQ(desktop.messages, unavailable);
    EXPECT_TRUE(launcher.started.empty());
    ::Sleep(500);
    EXPECT_EQ(EndProcessesNamed(L"Program.exe"), 0) << "the decoy was started";
}

TEST_F(StartSysInfoWin32, NeitherValueSaysUnavailable)
{
    Run();
    EXPECT_EQ(desktop.messages, unavailable);
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(StartSysInfoWin32, TheSecondLookupStartsTheToolInItsFolder)
{
    TempFolder folder;
    ASSERT_TRUE(CopyHarmlessProgram(folder.Child(L"MSINFO32.EXE")));
    SetString(kLocation, L"MSINFO", folder.Path());

    Run();

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(launcher.started, std::vector<std::string>{folder.PathUtf8() + R"(\MSINFO32.EXE)"});
    ::Sleep(300);
    EXPECT_EQ(EndProcessesNamed(L"MSINFO32.EXE"), 1);
}

TEST_F(StartSysInfoWin32, AHiddenToolInTheSecondFolderDoesNotCount)
{
    TempFolder folder;
    WriteFileBytes(folder.Child(L"MSINFO32.EXE"), "MZ");
    ASSERT_TRUE(::SetFileAttributesW(folder.Child(L"MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN));
    SetString(kLocation, L"MSINFO", folder.Path());

    Run();

    EXPECT_EQ(desktop.messages, unavailable);
    EXPECT_TRUE(launcher.started.empty());
}

} // namespace
