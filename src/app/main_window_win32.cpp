#include "app/main_window_win32.h"

#include "app/main_commands.h"
#include "app/main_layout.h"
#include "app/resource.h"
#include "regchange/reg_file_win32.h"
#include "ui/command_scope.h"
#include "ui/dropped_files.h"
#include "win32/wide.h"

namespace velmora::win32
{
namespace
{

constexpr wchar_t kClassName[] = L"VelmoraMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Files dropped from Explorer arrive as WM_DROPFILES, without DragAcceptFiles and so without
// loading shell32 at start-up.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

UniqueHmenu CreateMainMenu()
{
    UniqueHmenu menu(::CreateMenu());
    for (const MenuCommandDef& command : MainMenuCommands())
        ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(command.id), Widen(command.caption).c_str());
    return menu;
}

} // namespace

MainWindow::MainWindow(ui::WindowHost& host, AboutHost& about, Desktop& desktop)
    : WindowThunk(host, MainWindowControls(), kMainBackground), m_about(about), m_desktop(desktop)
{
}

MainWindow::~MainWindow() = default;

void MainWindow::Create(int showCommand)
{
    CreateWindowAndControls(kClassName, Widen(m_desktop.Identity().title), kStyle, kExStyle, nullptr, CreateMainMenu());
    const HWND location = ::GetDlgItem(m_window, IDC_TXTLOC_0);
    m_dialog.SetFocusControl(location);
    ::ShowWindow(m_window, showCommand);
    ::UpdateWindow(m_window);
    ::SetFocus(location);
}

ui::WindowFrame MainWindow::Frame(UINT dpi) const
{
    return {std::nullopt, ui::WindowSizeForClient(kMainClientWidth, kMainClientHeight, kStyle, kExStyle, true, dpi)};
}

ui::WindowFonts MainWindow::CreateFonts(UINT dpi) const
{
    return {ui::CreateMessageFont(dpi), {}};
}

std::string MainWindow::FieldText(Field field)
{
    return Narrow(ui::WindowText(::GetDlgItem(m_window, FieldControlId(field))));
}

void MainWindow::SetStatusText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, IDC_LBLPATH), Widen(text).c_str());
}

// Both windows, About too, take no input meanwhile: the wait dispatches their messages.
// A wait that runs out leaves the status as it was before, as every refused save does.
void MainWindow::BeginWait(std::string_view statusText)
{
    if (!m_busy)
        m_statusBeforeWait = ui::WindowText(::GetDlgItem(m_window, IDC_LBLPATH));
    SetStatusText(statusText);
    m_busy.emplace();
}

void MainWindow::EndWait() noexcept
{
    m_busy.reset();
    ::SetWindowTextW(::GetDlgItem(m_window, IDC_LBLPATH), m_statusBeforeWait.c_str());
}

void MainWindow::SetValueText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, IDC_TXTSELECTFILE), Widen(text).c_str());
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void MainWindow::OnCommand(int id, int notification, HWND control)
{
    if (control && notification != BN_CLICKED)
        return;
    // Closes this window only; the program ends when its last window is gone. Asked for during a
    // command, the close waits for its end.
    if (id == IDM_EXIT)
    {
        ::SendMessageW(m_window, WM_CLOSE, 0, 0);
        return;
    }
    const ui::CommandScope command;
    if (!command.Entered())
        return; // dropped: a nested loop of the running command dispatched it

    Desktop& desktop = m_desktop;
    switch (id)
    {
    case IDC_CMDSAVETOREGISTRY: {
        Win32RegFileOutput file;
        cmdSaveToRegistry_Click(*this, {desktop, m_settings, file, m_registry});
        break;
    }
    case IDC_CMDSELECTFILE:
        cmdSelectFile_Click(*this, m_commonDialog1, desktop);
        break;
    case IDC_CMDOPENREGISTRYEDITOR:
        cmdOpenRegistryEditor_Click(desktop, Owner());
        break;
    case IDM_HELP:
        mnuHelp_Click(desktop, Owner());
        break;
    case IDM_ABOUT:
        mnuAbout_Click(m_about, desktop);
        break;
    default:
        break;
    }
}

// Only the value field changes, as when the file is picked in the Open dialog: nothing is saved.
void MainWindow::OnDropFiles(HDROP drop)
{
    if (const std::wstring path = ui::TakeFirstDroppedPath(drop); !path.empty())
        SetValueText(Narrow(path));
}

} // namespace velmora::win32
