// The real main window, hidden; its message boxes are recorded, its program folder a temporary one.
#include "app/main_window_win32.h"
#include "app/resource.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>
#include <tuple>
#include <utility>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

void DispatchPosted()
{
    for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        ::DispatchMessageW(&message);
}

// Its message boxes are recorded; while one is up, what was posted is dispatched, as by a box's loop.
struct NestingDesktop : RecordingDesktop
{
    using RecordingDesktop::RecordingDesktop;
    std::function<void()> whileShown;

    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override
    {
        RecordingDesktop::ShowMessage(prompt, style, title);
        if (whileShown)
            std::exchange(whileShown, {})();
        DispatchPosted();
    }
};

struct MainWindowWin32 : testing::Test, ui::WindowHost, AboutHost
{
    HINSTANCE Instance() const override { return ::GetModuleHandleW(nullptr); }
    int IconId() const override { return 1; }
    void WindowOpened(HWND) override {}
    void WindowClosed(HWND) override {}
    void ReportFault(std::exception_ptr) noexcept override { ADD_FAILURE() << "a fault reached the window"; }
    bool IsAboutOpen() const override { return false; }
    void CreateAbout() override {}
    void ShowAbout() override {}

    TempFolder folder;
    NestingDesktop desktop{folder.PathUtf8()};
    win32::MainWindow window{*this, *this, desktop};
};

// A drop block: the header, the names, and the rest of the block filled with one letter, so that a
// name runs on to the block's end unless something ends it.
HDROP DropBlock(DROPFILES header, const std::wstring& names, SIZE_T size)
{
    const HGLOBAL drop = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.append(reinterpret_cast<const char*>(names.data()), names.size() * 2).resize(size, 'A');
    bytes.resize(::GlobalSize(drop), 'A'); // and the allocation's slack, if any
    std::memcpy(::GlobalLock(drop), bytes.data(), bytes.size());
    ::GlobalUnlock(drop);
    return static_cast<HDROP>(drop);
}

// As Explorer drops two files: a handle that the window must release, the first path longer than
// MAX_PATH. Then blocks that are not what they claim, and a handle of another process: ignored,
// and not freed, since the memory may be the program's own.
TEST_F(MainWindowWin32, ADropPutsTheFirstPathWholeIntoTheValueFieldAndSavesNothingAMalformedOneNothingAtAll)
{
    window.Create(SW_HIDE);
    EXPECT_TRUE(::GetWindowLongW(window.Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "Explorer drops onto it";
    const std::wstring first = folder.Child(std::wstring(270, L'x') + L".txt");
    const std::wstring paths = first + L'\0' + folder.Child(L"second.txt") + L'\0' + L'\0';
    const DROPFILES wide = {sizeof(DROPFILES), {}, FALSE, TRUE};
    const HDROP drop = DropBlock(wide, paths, sizeof(DROPFILES) + paths.size() * sizeof(wchar_t));

    ::SendMessageW(window.Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(::GlobalSize(drop), 0u) << "the drop handle is released";
    const std::pair<DROPFILES, SIZE_T> malformed[] = {
        {{1 << 20, {}, FALSE, TRUE}, sizeof(DROPFILES) + 64},            // names beyond the block
        {wide, sizeof(DROPFILES) + 64},                                  // a name that does not end
        {{sizeof(DROPFILES), {}, FALSE, FALSE}, sizeof(DROPFILES) + 64}, // an ANSI name that does not end
        {wide, sizeof(DROPFILES) - 4}};                                  // smaller than its header
    for (const auto& [header, size] : malformed)
    {
        const HDROP block = DropBlock(header, L"", size);
        ::SendMessageW(window.Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        EXPECT_NE(::GlobalSize(block), 0u) << header.pFiles << " " << size;
        ::GlobalFree(block);
    }
    ::SendMessageW(window.Window(), WM_DROPFILES, 0x7ff0c0de, 0);
    EXPECT_EQ(ui::WindowText(::GetDlgItem(window.Window(), IDC_TXTSELECTFILE)), first) << "the first drop's, kept";
    EXPECT_EQ(ui::WindowText(::GetDlgItem(window.Window(), IDC_LBLPATH)), L"");
    EXPECT_FALSE(std::filesystem::exists(folder.Child(L"Velmora.reg")));
    EXPECT_EQ(desktop.messages, std::vector<std::string>{});
}

// A save refused with a message; while the message is up, a command or a close is posted. No
// command starts inside the save (a second save or Help would show a second message); a close waits
// for the save's end, then is carried out.
TEST_F(MainWindowWin32, ACommandAskedForDuringASaveIsDroppedAndACloseWaitsForTheSavesEnd)
{
    const std::tuple<const char*, UINT, WPARAM, bool> rows[] = {{"Save", WM_COMMAND, IDC_CMDSAVETOREGISTRY, false},
                                                                {"Help", WM_COMMAND, IDM_HELP, false},
                                                                {"Exit", WM_COMMAND, IDM_EXIT, true},
                                                                {"WM_CLOSE", WM_CLOSE, 0, true}};
    for (const auto& [name, message, command, closes] : rows)
    {
        desktop.messages.clear();
        win32::MainWindow main{*this, *this, desktop};
        main.Create(SW_HIDE);
        ::SetWindowTextW(::GetDlgItem(main.Window(), IDC_TXTLOC_0), L"Nowhere"); // no registry root: refused
        desktop.whileShown = [&main, message = message, command = command] {
            ::PostMessageW(main.Window(), message, command, 0);
        };
        ::SendMessageW(main.Window(), WM_COMMAND, IDC_CMDSAVETOREGISTRY, 0);
        EXPECT_TRUE(::IsWindow(main.Window())) << name << ": not closed inside the save";
        DispatchPosted();
        EXPECT_EQ(main.Window() == nullptr, closes) << name << ": closed after the save";
        EXPECT_EQ(desktop.messages.size(), 1u) << name;
    }
}

// While a save waits for the reader of the previous file (here another thread, which holds it), the
// window answers and repaints, and says what it waits for; a Save posted meanwhile does not run
// inside it. The reader lets go once it has seen all that.
TEST_F(MainWindowWin32, WhileASaveWaitsTheWindowAnswersRepaintsAndRunsNoSecondSaveInside)
{
    ScopedTestKey target{LR"(Software\VelmoraWaitTest)"};
    window.Create(SW_SHOWNOACTIVATE);
    const HWND main = window.Window();
    int id = IDC_TXTLOC_0; // the four location fields, then the value field
    for (const wchar_t* text : {LR"(HKCU\Software\VelmoraWaitTest)", L"App", L"Section", L"Key", L"waited"})
        ::SetWindowTextW(::GetDlgItem(main, id++), text);
    static_assert(IDC_TXTSELECTFILE == IDC_TXTLOC_0 + 4);
    WriteFileBytes(folder.Child(L"Velmora.reg"), "the previous save's");
    win32::UniqueFile reader(::CreateFileW(folder.Child(L"Velmora.reg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    const auto status = [&] {
        wchar_t text[128] = L"";
        ::SendMessageTimeoutW(::GetDlgItem(main, IDC_LBLPATH), WM_GETTEXT, std::size(text),
                              reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 500, nullptr);
        return std::wstring(text);
    };
    std::wstring waiting;
    bool answered = false, repainted = false;
    std::jthread readerThread([&] {
        for (int attempt = 0; attempt < 300 && (waiting = status()).find(L"Waiting") == std::wstring::npos; ++attempt)
            ::Sleep(10);
        answered = ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, nullptr) != 0;
        ::InvalidateRect(main, nullptr, TRUE);
        for (int attempt = 0; attempt < 50 && !repainted; ++attempt, ::Sleep(10))
            repainted = !::GetUpdateRect(main, nullptr, FALSE);
        ::PostMessageW(main, WM_COMMAND, IDC_CMDSAVETOREGISTRY, 0);
        reader.reset();
    });
    ::SendMessageW(main, WM_COMMAND, IDC_CMDSAVETOREGISTRY, 0);
    readerThread.join();
    DispatchPosted(); // a second save that was only queued runs now, after the first

    EXPECT_EQ(waiting, L" Waiting for the Registry Editor to read Velmora.reg ...");
    EXPECT_TRUE(answered) << "the window did not answer while the save waited";
    EXPECT_TRUE(repainted) << "the window did not repaint while the save waited";
    EXPECT_EQ(desktop.messages, std::vector<std::string>{});
    EXPECT_EQ(ui::WindowText(::GetDlgItem(main, IDC_LBLPATH)),
              L" Reg file created as : " + folder.Child(L"Velmora.reg"));
}

} // namespace
