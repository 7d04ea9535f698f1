#include "win32/desktop.h"

#include "test_support.h"
#include "win32/wide.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

TEST(Win32Desktop, ApplicationFolderIsTheProgramsFolder)
{
    win32::Win32Desktop desktop;
    const std::wstring module = win32::ModulePath();
    const std::string folder = desktop.ApplicationFolder();
    EXPECT_EQ(win32::Widen(folder + "\\velmora_win32_tests.exe"), module);
}

TEST(Win32Desktop, ShellOpenReturnsTheShellsCode)
{
    win32::Win32Desktop desktop;
    TempFolder folder;
    EXPECT_EQ(desktop.ShellOpen({}, "open", folder.PathUtf8() + "\\missing.reg", "", "", kShowNormal), 2);

    // A file type that nothing opens.
    WriteFileBytes(folder.Child(L"x.velmora-unassociated"), "x");
    EXPECT_EQ(desktop.ShellOpen({}, "open", folder.PathUtf8() + "\\x.velmora-unassociated", "", "", kShowNormal), 31);
}

} // namespace
