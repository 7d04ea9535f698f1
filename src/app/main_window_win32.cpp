#include "app/main_window_win32.h"

#include "about/about_commands.h"
#include "app/application_win32.h"
#include "app/main_commands.h"
#include "app/main_layout.h"
#include "app/resource.h"
#include "regchange/reg_file_win32.h"
#include "win32/coloured_button.h"
#include "win32/dialog_behaviour.h"
#include "win32/dpi.h"
#include "win32/wide.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

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

const ControlDef* DefOf(int id)
{
    const auto controls = MainWindowControls();
    const auto found = std::find_if(controls.begin(), controls.end(), [id](const auto& c) { return c.id == id; });
    return found == controls.end() ? nullptr : &*found;
}

// Tab order follows creation order, so controls are created by tab index.
std::vector<ControlDef> ControlsInTabOrder()
{
    const auto controls = MainWindowControls();
    std::vector<ControlDef> ordered(controls.begin(), controls.end());
    std::ranges::sort(ordered, {}, &ControlDef::tabIndex);
    return ordered;
}

HMENU CreateMainMenu()
{
    const HMENU menu = ::CreateMenu();
    for (const MenuCommandDef& command : MainMenuCommands())
        ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command.id), Widen(command.caption).c_str());
    return menu;
}

} // namespace

MainWindow::MainWindow(Application& application)
    : m_application(application), m_backgroundBrush(::CreateSolidBrush(ToColorref(kMainBackground)))
{
}

void MainWindow::Create(int showCommand)
{
    const HINSTANCE instance = m_application.Instance();
    m_icon = RegisterWindowClass(instance, kClassName, IDI_VELMORA);

    // Sized for the system DPI, and again if the window lands on a monitor with another one.
    const UINT systemDpi = ::GetDpiForSystem();
    const SIZE size = WindowSizeForClient(kMainClientWidth, kMainClientHeight, kStyle, kExStyle, true, systemDpi);
    const std::wstring caption = Widen(kAppIdentity.title);
    if (!::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, size.cx,
                           size.cy, nullptr, CreateMainMenu(), instance, this))
        throw std::runtime_error("the main window cannot be created");
    const UINT dpi = ::GetDpiForWindow(m_window);
    if (dpi != systemDpi)
    {
        const SIZE scaled = WindowSizeForClient(kMainClientWidth, kMainClientHeight, kStyle, kExStyle, true, dpi);
        ::SetWindowPos(m_window, nullptr, 0, 0, scaled.cx, scaled.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_dpi = dpi;
    m_font = CreateMessageFont(dpi);
    CreateControls();

    const HWND location = ::GetDlgItem(m_window, IDC_TXTLOC_0);
    m_dialog.SetFocusControl(location);
    ::ShowWindow(m_window, showCommand);
    ::UpdateWindow(m_window);
    ::SetFocus(location);
}

// Each control is created at its place for the current DPI, with the font already set.
void MainWindow::CreateControls()
{
    const HINSTANCE instance = m_application.Instance();
    for (const ControlDef& def : ControlsInTabOrder())
    {
        const wchar_t* className = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (def.kind)
        {
        case ControlKind::Label:
            // SS_CENTER breaks long text at word boundaries and cuts what does not fit.
            style |= SS_CENTER | SS_NOPREFIX;
            break;
        case ControlKind::TextBox:
            className = L"EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Button:
            className = L"BUTTON";
            style |= WS_TABSTOP | BS_NOTIFY | (def.id == IDC_CMDSAVETOREGISTRY ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        }
        const RECT rect = ControlRect(def, m_dpi);
        const HWND control = ::CreateWindowExW(exStyle, className, Widen(def.text).c_str(), style, rect.left,
                                               rect.top, rect.right - rect.left, rect.bottom - rect.top, m_window,
                                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance,
                                               nullptr);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
        if (def.kind == ControlKind::TextBox)
            ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no limit but the system's
    }
}

void MainWindow::ApplyDpi(UINT dpi)
{
    m_dpi = dpi;
    m_font = CreateMessageFont(dpi);
    for (const ControlDef& def : MainWindowControls())
    {
        const HWND control = ::GetDlgItem(m_window, def.id);
        const RECT rect = ControlRect(def, dpi);
        ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
    }
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
    if (LRESULT result = 0; m_dialog.Handle(m_window, message, wParam, lParam, m_backgroundBrush.get(), result))
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
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
        return OnColourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(HIWORD(wParam));
        return 0;
    }
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

LRESULT MainWindow::OnNotify(const NMHDR& header)
{
    if (header.code != NM_CUSTOMDRAW)
        return 0;
    const ControlDef* def = DefOf(static_cast<int>(header.idFrom));
    if (!def || !def->faceColour)
        return CDRF_DODEFAULT;
    return DrawColouredButton(reinterpret_cast<const NMCUSTOMDRAW&>(header), ToColorref(*def->faceColour));
}

LRESULT MainWindow::OnColourLabel(HDC dc, HWND label)
{
    const ControlDef* def = DefOf(::GetDlgCtrlID(label));
    ::SetBkColor(dc, ToColorref(kMainBackground));
    ::SetTextColor(dc, def && def->textColour ? ToColorref(*def->textColour) : ::GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(m_backgroundBrush.get());
}

void MainWindow::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_window, &paint);
    // The icon at its own size in the corner that no control covers.
    ::DrawIconEx(dc, 0, 0, m_icon, 0, 0, 0, nullptr, DI_NORMAL);
    ::EndPaint(m_window, &paint);
}

} // namespace velmora::win32
