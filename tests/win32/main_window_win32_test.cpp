// The real main window, hidden, with a host whose message boxes are recorded and whose program
// folder is a temporary one.
#include "app/main_window_win32.h"
#include "app/resource.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

class MainWindowWin32 : public testing::Test, public win32::WindowHost, public AboutHost
{
protected:
    HINSTANCE Instance() const override { return ::GetModuleHandleW(nullptr); }
    int IconId() const override { return 1; }
    void WindowOpened(HWND) override {}
    void WindowClosed(HWND) override {}
    void ReportFault(std::exception_ptr) noexcept override { ADD_FAILURE() << "a fault reached the window"; }
    bool IsAboutOpen() const override { return false; }
    void CreateAbout() override {}
    void ShowAbout() override {}

    TempFolder folder;
    RecordingDesktop desktop{folder.PathUtf8()};
    win32::MainWindow window{*this, *this, desktop};
};

// As Explorer drops two files: a handle that the window must release, the first path longer than MAX_PATH.
TEST_F(MainWindowWin32, ADropPutsTheFirstPathWholeIntoTheValueFieldAndSavesNothing)
{
    window.Create(SW_HIDE);
    EXPECT_TRUE(::GetWindowLongW(window.Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "Explorer drops onto it";
    const std::wstring first = folder.Child(std::wstring(270, L'x') + L".txt");
    const std::wstring paths = first + L'\0' + folder.Child(L"second.txt") + L'\0' + L'\0';
    const HGLOBAL drop = ::GlobalAlloc(GHND, sizeof(DROPFILES) + paths.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(drop));
    *files = {sizeof(DROPFILES), {}, FALSE, TRUE};
    std::ranges::copy(paths, reinterpret_cast<wchar_t*>(files + 1));
    ::GlobalUnlock(drop);

    ::SendMessageW(window.Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(win32::WindowText(::GetDlgItem(window.Window(), IDC_TXTSELECTFILE)), first);
    EXPECT_EQ(::GlobalSize(drop), 0u) << "the drop handle is released";
    EXPECT_EQ(win32::WindowText(::GetDlgItem(window.Window(), IDC_LBLPATH)), L"");
    EXPECT_FALSE(std::filesystem::exists(folder.Child(L"Velmora.reg")));
    EXPECT_EQ(desktop.messages, std::vector<std::string>{});
}

} // namespace
