// The registry value reader against real values, and the program launcher with real files and
// processes. The lookup order is the core's; the About scenario sees it end to end.
#include "about/sysinfo_win32.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

// What the Win32 reader adds to the core's rules: UTF-16 text handed on as UTF-8, the 1024-byte
// buffer, other types passed through as bytes.
TEST(GetKeyValueWin32, ReadsTheReportedBytesAndConvertsByType)
{
    const std::tuple<DWORD, std::wstring, bool, std::string> rows[] = {
        {REG_SZ, std::wstring(L"C:\\Gr\u00FC\u00DFe\0", 9), true, "C:\\Gr\xC3\xBC\xC3\x9F\x65"},
        {REG_SZ, std::wstring(512, L'x') + L'\0', false, ""}, // more than 1024 bytes is missing
        {REG_DWORD, std::wstring(L"\x0001\0", 2), true, "&h000001"}};
    for (const auto& [type, data, read, expected] : rows)
    {
        const ScopedTestKey cleanup{LR"(Software\VelmoraTest)"};
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, LR"(Software\VelmoraTest\Values)", L"Value", type, data.data(),
                                    static_cast<DWORD>(data.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        win32::Win32RegistryReader registry;
        std::string text;
        EXPECT_EQ(GetKeyValue(registry, RegistryRoot::CurrentUser, R"(Software\VelmoraTest\Values)", "Value", text),
                  read);
        EXPECT_EQ(text, expected);
    }
}

// An unquoted command line would run <folder>\Program.exe, the decoy, for <folder>\Program Files\...:
// the start of the missing tool would then succeed. Only an ordinary file counts as existing. The
// program ends at once by itself, without a console or a window: a copy of the system's rundll32.exe,
// given nothing to run. Under Wine the copy keeps that name: Wine runs its own program of a copy's
// name (one named msinfo32.exe shows a dialog and waits).
TEST(ProgramLauncherWin32, StartsThePathWholeWithItsSpacesOrFailsAndFindsOnlyOrdinaryFiles)
{
    TempFolder folder;
    win32::Win32ProgramLauncher launcher;
    wchar_t rundll32[MAX_PATH] = L"";
    ::GetSystemDirectoryW(rundll32, MAX_PATH);
    const auto copyTo = [&](const wchar_t* name) {
        EXPECT_TRUE(::CopyFileW((rundll32 + std::wstring(L"\\rundll32.exe")).c_str(), folder.Child(name).c_str(), 0));
    };
    copyTo(L"Program.exe");
    const std::string tool = folder.PathUtf8() + R"(\Program Files\rundll32.exe)";
    EXPECT_NE(FailureNumberOf([&] { launcher.StartProgram(tool, kShowNormal); }), 0) << "the decoy was started";
    ASSERT_TRUE(::CreateDirectoryW(folder.Child(L"Program Files").c_str(), nullptr));
    copyTo(LR"(Program Files\rundll32.exe)");
    EXPECT_EQ(FailureNumberOf([&] { launcher.StartProgram(tool, kShowNormal); }), 0);
    EXPECT_TRUE(launcher.FileExists(tool));
    EXPECT_FALSE(launcher.FileExists(folder.PathUtf8())) << "a folder";
    ASSERT_TRUE(::SetFileAttributesW(win32::Widen(tool).c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(launcher.FileExists(tool)) << "a hidden file";
}

} // namespace
