#include "app/main_window_win32.h"

#include "about/about_commands.h"
#include "app/application_win32.h"
#include "app/main_commands.h"
#include "app/main_layout.h"
#include "app/resource.h"
#include "regchange/reg_file_win32.h"
#include "win32/dpi.h"
#include "win32/wide.h"

#include <stdexcept>

namespace velmora::win32
{
namespace
{

constexpr wchar_t kClassName[] = L"VelmoraMainWindow";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

int FieldControlId(Field field)
{
    switch (field)
    {
    case Field::Location:
        return IDC_TXTLOC_0;
    case Field::Application:
        return IDC_TXTLOC_1;
    case Field::Section:
        return IDC_TXTLOC_2;
    case Field::Key:
        return IDC_TXTLOC_3;
    case Field::Value:
        return IDC_TXTSELECTFILE;
    }
    return 0;
}

UniqueHmenu CreateMainMenu()
{
    UniqueHmenu menu(::CreateMenu());
    for (const MenuCommandDef& command : MainMenuCommands())
        ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(command.id), Widen(command.caption).c_str());
    return menu;
}

} // namespace

MainWindow::MainWindow(Application& application)
    : m_application(application), m_controls(MainWindowControls(), kMainBackground)
{
}

void MainWindow::Create(int showCommand)
{
    const HINSTANCE instance = m_application.Instance();
    RegisterWindowClass(instance, kClassName, IDI_VELMORA);

    // Sized for the system DPI, and again if the window lands on a monitor with another one.
    const UINT systemDpi = ::GetDpiForSystem();
    const SIZE size = WindowSizeForClient(kMainClientWidth, kMainClientHeight, kStyle, kExStyle, true, systemDpi);
    const std::wstring caption = Widen(kAppIdentity.title);
    UniqueHmenu menu = CreateMainMenu();
    if (!::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                           size.cy, nullptr, menu.get(), instance, this))
    {
        // A window that was made and then failed has taken its menu along.
        if (!::IsMenu(menu.get()))
            static_cast<void>(menu.release());
        throw std::runtime_error("the main window cannot be created");
    }
    static_cast<void>(menu.release()); // the window's now
    const UINT dpi = ::GetDpiForWindow(m_window);
    if (dpi != systemDpi)
    {
        const SIZE scaled = WindowSizeForClient(kMainClientWidth, kMainClientHeight, kStyle, kExStyle, true, dpi);
        ::SetWindowPos(m_window, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_font = CreateMessageFont(dpi);
    m_icons = LoadWindowIcons(instance, IDI_VELMORA, dpi);
    SetWindowIcons(m_window, m_icons);
    m_controls.CreateControls(m_window, dpi, {m_font.get(), m_font.get(), m_icons.picture.get()});

    const HWND location = ::GetDlgItem(m_window, IDC_TXTLOC_0);
    m_dialog.SetFocusControl(location);
    ::ShowWindow(m_window, showCommand);
    ::UpdateWindow(m_window);
    ::SetFocus(location);
}

// The new font and icons are in every control's hands before the old ones are deleted.
void MainWindow::ApplyDpi(UINT dpi)
{
    UniqueHfont font = CreateMessageFont(dpi);
    WindowIcons icons = LoadWindowIcons(m_application.Instance(), IDI_VELMORA, dpi);
    m_controls.ApplyDpi(m_window, dpi, {font.get(), font.get(), icons.picture.get()});
    SetWindowIcons(m_window, icons);
    m_font = std::move(font);
    m_icons = std::move(icons);
    ::InvalidateRect(m_window, nullptr, TRUE);
}

std::string MainWindow::FieldText(Field field)
{
    return Narrow(WindowText(::GetDlgItem(m_window, FieldControlId(field))));
}

void MainWindow::SetStatusText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, IDC_LBLPATH), Widen(text).c_str());
}

void MainWindow::SetValueText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, IDC_TXTSELECTFILE), Widen(text).c_str());
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; m_dialog.Handle(m_window, message, wParam, lParam, m_controls.Background(), result))
        return result;
    switch (message)
    {
    case WM_CREATE:
        m_application.WindowOpened(m_window);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return m_controls.CustomDraw(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
        return m_controls.ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED:
        ApplyDpi(MoveToSuggestedRect(m_window, wParam, lParam));
        return 0;
    case WM_DESTROY:
        m_application.WindowClosed(m_window);
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void MainWindow::OnCommand(int id, int notification, HWND control)
{
    if (control && notification != BN_CLICKED)
        return;

    Desktop& desktop = m_application.Desktop();
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
        mnuAbout_Click(m_application, desktop);
        break;
    case IDM_EXIT:
        // Closes this window only; the program ends when its last window is gone.
        ::DestroyWindow(m_window);
        break;
    default:
        break;
    }
}

} // namespace velmora::win32
