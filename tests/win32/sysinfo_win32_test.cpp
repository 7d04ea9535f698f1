// The registry value reader against real values, and the program launcher with real files and
// processes. The lookup order is the core's; the About scenario sees it end to end.
#include "about/sysinfo_win32.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

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

using GetKeyValueWin32 = testing::TestWithParam<RealValue>;

// What the Win32 reader adds to the core's rules: UTF-16 text handed on as UTF-8, the 1024-byte
// buffer, other types passed through as bytes.
TEST_P(GetKeyValueWin32, ReadsTheReportedBytesAndConvertsByType)
{
    const RealValue& value = GetParam();
    const ScopedTestKey cleanup{LR"(Software\VelmoraTest)"};
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, LR"(Software\VelmoraTest\Values)", L"Value", value.type,
                                value.data.data(), static_cast<DWORD>(value.data.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    win32::Win32RegistryReader registry;
    std::string text;
    EXPECT_EQ(GetKeyValue(registry, RegistryRoot::CurrentUser, R"(Software\VelmoraTest\Values)", "Value", text),
              value.read);
    EXPECT_EQ(text, value.text);
}

INSTANTIATE_TEST_SUITE_P(Table, GetKeyValueWin32,
                         testing::ValuesIn(std::vector<RealValue>{
                             {"Latin1TextWithItsZero", REG_SZ, std::wstring(L"C:\\Gr\u00FC\u00DFe\0", 9), true,
                              "C:\\Gr\xC3\xBC\xC3\x9F\x65"},
                             {"MoreThan1024BytesIsMissing", REG_SZ, std::wstring(512, L'x') + L'\0', false, ""},
                             {"DwordOne", REG_DWORD, std::wstring(L"\x0001\0", 2), true, "&h000001"}}),
                         RowName());

// Ends the processes whose program file lies in the folder; returns how many there were.
int EndProcessesStartedFrom(const std::wstring& folder)
{
    int ended = 0;
    win32::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
    {
        win32::UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                                                  FALSE, entry.th32ProcessID));
        wchar_t image[MAX_PATH * 4];
        DWORD length = static_cast<DWORD>(std::size(image));
        if (process && ::QueryFullProcessImageNameW(process.get(), 0, image, &length) &&
            ::CompareStringOrdinal(image, static_cast<int>(folder.size()), folder.c_str(),
                                   static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL &&
            ::TerminateProcess(process.get(), 1))
            ended += ::WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0;
    }
    return ended;
}

class ProgramLauncherWin32 : public testing::Test
{
protected:
    ~ProgramLauncherWin32() override { EndProcessesStartedFrom(folder.path); }

    // A harmless program that stays running until it is ended: the minimal window beside the tests.
    std::string CopyHarmlessProgram(const std::wstring& name)
    {
        const std::wstring program =
            win32::Widen(win32::Win32Desktop().ApplicationFolder()) + L"\\velmora_minimal_window.exe";
        EXPECT_TRUE(::CopyFileW(program.c_str(), folder.Child(name).c_str(), FALSE));
        return win32::Narrow(folder.Child(name));
    }

    TempFolder folder;
    win32::Win32ProgramLauncher launcher;
};

// An unquoted command line would run <folder>\Program.exe, the decoy, for <folder>\Program Files\...
TEST_F(ProgramLauncherWin32, StartsThePathWholeWithItsSpacesOrFails)
{
    CopyHarmlessProgram(L"Program.exe");
    const std::string missing = folder.PathUtf8() + R"(\Program Files\msinfo32.exe)";
    EXPECT_NE(FailureNumberOf([&] { launcher.StartProgram(missing, kShowNormal); }), 0);
    EXPECT_EQ(EndProcessesStartedFrom(folder.path), 0) << "the decoy was started";

    ASSERT_TRUE(::CreateDirectoryW(folder.Child(L"Program Files").c_str(), nullptr));
    launcher.StartProgram(CopyHarmlessProgram(LR"(Program Files\msinfo32.exe)"), kShowNormal);
    EXPECT_EQ(EndProcessesStartedFrom(folder.path), 1);
}

TEST_F(ProgramLauncherWin32, CountsOnlyAnOrdinaryFileAsExisting)
{
    const std::string tool = CopyHarmlessProgram(L"MSINFO32.EXE");
    EXPECT_TRUE(launcher.FileExists(tool));
    EXPECT_FALSE(launcher.FileExists(folder.PathUtf8())) << "a folder";
    ASSERT_TRUE(::SetFileAttributesW(win32::Widen(tool).c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(launcher.FileExists(tool)) << "a hidden file";
}

} // namespace
