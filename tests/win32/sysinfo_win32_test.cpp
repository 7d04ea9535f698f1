// The registry value reader against real values, and the system-information launcher with the
// real registry and real processes; only its message box is recorded instead of shown.
#include "about/sysinfo_win32.h"

#include "test_helpers.h"
#include "test_support.h"
#include "win32/desktop.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

struct RealValue
{
    const char* name;
    DWORD type;
    std::wstring data;
    bool read;
    std::string text;
};

class GetKeyValueWin32 : public testing::TestWithParam<RealValue>
{
protected:
    ScopedTestKey cleanup{HKEY_CURRENT_USER, LR"(Software\VelmoraTest)"};
};

// What the Win32 reader adds to the core's rules: UTF-16 text handed on as UTF-8, the 1024-byte
// buffer, other types passed through as bytes.
TEST_P(GetKeyValueWin32, ReadsTheReportedBytesAndConvertsByType)
{
    const RealValue& value = GetParam();
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, LR"(Software\VelmoraTest\Values)", L"Value", value.type,
                                value.data.data(), static_cast<DWORD>(value.data.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    win32::Win32RegistryReader registry;
    std::string text;
    EXPECT_EQ(GetKeyValue(registry, RegistryRoot::CurrentUser, R"(Software\VelmoraTest\Values)", "Value", text),
              value.read);
    EXPECT_EQ(text, value.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GetKeyValueWin32,
    testing::Values(RealValue{"Latin1TextWithItsZero", REG_SZ, std::wstring(L"C:\\Gr\u00FC\u00DFe\0", 9), true,
                              "C:\\Gr\xC3\xBC\xC3\x9F\x65"},
                    RealValue{"MoreThan1024BytesIsMissing", REG_SZ, std::wstring(512, L'x') + L'\0', false, ""},
                    RealValue{"DwordOne", REG_DWORD, std::wstring(L"\x0001\0", 2), true, "&h000001"}),
    RowName());

class StartSysInfoWin32 : public testing::Test
{
protected:
    static constexpr const wchar_t* kMsinfo = LR"(SOFTWARE\Microsoft\Shared Tools\MSINFO)";
    static constexpr const wchar_t* kLocation = LR"(SOFTWARE\Microsoft\Shared Tools Location)";

    StartSysInfoWin32() { Clear(); }
    ~StartSysInfoWin32() override
    {
        Clear();
        EndProcessesStartedFrom(folder.Path());
    }

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
    // A harmless program that stays running until it is ended: the minimal window beside the tests.
    void CopyHarmlessProgram(const std::wstring& name)
    {
        const std::wstring module = win32::ModulePath();
        const std::wstring program = module.substr(0, module.find_last_of(L'\\')) + L"\\velmora_minimal_window.exe";
        if (const auto slash = name.find_last_of(L'\\'); slash != std::wstring::npos)
            ::CreateDirectoryW(folder.Child(name.substr(0, slash)).c_str(), nullptr);
        ASSERT_TRUE(::CopyFileW(program.c_str(), folder.Child(name).c_str(), FALSE));
    }
    std::vector<std::string> Run()
    {
        StartSysInfo(registry, launcher, desktop);
        return desktop.messages;
    }

    TempFolder folder;
    win32::Win32RegistryReader registry;
    win32::Win32ProgramLauncher launcher;
    RecordingDesktop desktop;
    const std::vector<std::string> unavailable{"plain [] System Information Is Unavailable At This Time"};
};

// An unquoted command line would run <folder>\Program.exe, the decoy, for <folder>\Program Files\...
TEST_F(StartSysInfoWin32, StartsThePathOfTheFirstLookupWholeWithItsSpaces)
{
    CopyHarmlessProgram(L"Program.exe");
    SetString(kMsinfo, L"PATH", folder.Child(LR"(Program Files\msinfo32.exe)"));
    EXPECT_EQ(Run(), unavailable) << "no such file";
    EXPECT_EQ(EndProcessesStartedFrom(folder.Path()), 0) << "the decoy was started";

    CopyHarmlessProgram(LR"(Program Files\msinfo32.exe)");
    desktop.messages.clear();
    EXPECT_EQ(Run(), std::vector<std::string>{});
    EXPECT_EQ(EndProcessesStartedFrom(folder.Path()), 1);
}

TEST_F(StartSysInfoWin32, TheSecondLookupStartsTheToolInItsFolderAndOnlyAnOrdinaryFile)
{
    SetString(kLocation, L"MSINFO", folder.Path());
    EXPECT_EQ(Run(), unavailable) << "neither value, or a folder without the tool";

    CopyHarmlessProgram(L"MSINFO32.EXE");
    ASSERT_TRUE(::SetFileAttributesW(folder.Child(L"MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN));
    desktop.messages.clear();
    EXPECT_EQ(Run(), unavailable) << "a hidden file does not count";

    ASSERT_TRUE(::SetFileAttributesW(folder.Child(L"MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_NORMAL));
    desktop.messages.clear();
    EXPECT_EQ(Run(), std::vector<std::string>{});
    EXPECT_EQ(EndProcessesStartedFrom(folder.Path()), 1);
}

} // namespace
