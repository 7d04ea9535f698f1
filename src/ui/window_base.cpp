#include "ui/window_base.h"

#include "ui/busy_scope.h"
#include "ui/command_scope.h"
#include "win32/win32_failure.h"

#include <exception>

namespace velmora::ui
{
namespace
{

ControlResources ResourcesOf(const WindowFonts& fonts, const WindowIcons& icons)
{
    return {fonts.normal.get(), fonts.title ? fonts.title.get() : fonts.normal.get(), icons.picture.get()};
}

} // namespace

WindowBase::WindowBase(WindowHost& host, std::span<const ControlDef> layout, Rgb background, WNDPROC windowProc)
    : m_host(host), m_controls(layout, background), m_windowProc(windowProc)
{
}

// A window that is still open is detached first: its last messages must not reach a half-destroyed
// object.
WindowBase::~WindowBase()
{
    if (m_window)
    {
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        ::DestroyWindow(m_window);
    }
}

void WindowBase::CreateWindowAndControls(const wchar_t* className, const std::wstring& caption, DWORD style,
                                         DWORD exStyle, HWND owner, win32::UniqueHmenu menu)
{
    const HINSTANCE instance = m_host.Instance();
    RegisterWindowClass(className);

    const UINT systemDpi = ::GetDpiForSystem();
    const WindowFrame frame = Frame(systemDpi);
    win32::UniqueHwnd created(::CreateWindowExW(exStyle, className, caption.c_str(), style,
                                                frame.origin ? frame.origin->x : CW_USEDEFAULT,
                                                frame.origin ? frame.origin->y : CW_USEDEFAULT, frame.size.cx,
                                                frame.size.cy, owner, menu.get(), instance, this));
    if (!created)
    {
        const DWORD error = ::GetLastError();
        // A window that was made and then failed has taken its menu along.
        if (menu && !::IsMenu(menu.get()))
            static_cast<void>(menu.release());
        throw win32::FailureFromWin32(error, win32::FailureSource::Window);
    }
    static_cast<void>(menu.release()); // the window's now

    m_dpi = ::GetDpiForWindow(m_window);
    if (m_dpi != systemDpi)
    {
        const WindowFrame scaled = Frame(m_dpi);
        ::SetWindowPos(m_window, nullptr, scaled.origin ? scaled.origin->x : 0, scaled.origin ? scaled.origin->y : 0,
                       scaled.size.cx, scaled.size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE | (scaled.origin ? 0 : SWP_NOMOVE));
    }
    m_fonts = CreateFonts(m_dpi);
    m_icons = LoadWindowIcons(instance, m_host.IconId(), m_dpi);
    SetWindowIcons(m_window, m_icons);
    m_controls.CreateControls(m_window, m_dpi, ResourcesOf(m_fonts, m_icons));
    static_cast<void>(created.release());
}

// The class icons are the shared ones of the system DPI, never destroyed; each window then sets its
// own for its DPI. Registering again fails harmlessly.
void WindowBase::RegisterWindowClass(const wchar_t* className) const
{
    const HINSTANCE instance = m_host.Instance();
    const auto loadIcon = [&](int metric) {
        const int size = ::GetSystemMetricsForDpi(metric, ::GetDpiForSystem());
        return static_cast<HICON>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(m_host.IconId()), IMAGE_ICON, size, size, LR_SHARED));
    };
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = m_windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = loadIcon(SM_CXICON);
    windowClass.hIconSm = loadIcon(SM_CXSMICON);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    ::RegisterClassExW(&windowClass);
}

// The new fonts and icons are in every control's hands before the old ones are deleted.
void WindowBase::ApplyDpi(UINT dpi)
{
    WindowFonts fonts = CreateFonts(dpi);
    WindowIcons icons = LoadWindowIcons(m_host.Instance(), m_host.IconId(), dpi);
    m_controls.ApplyDpi(m_window, dpi, ResourcesOf(fonts, icons));
    SetWindowIcons(m_window, icons);
    m_dpi = dpi;
    m_fonts = std::move(fonts);
    m_icons = std::move(icons);
    OnDpiApplied();
    ::InvalidateRect(m_window, nullptr, TRUE);
}

// A theme switched while the program runs: the window and every control repaint in its colours.
void WindowBase::ApplyColourScheme()
{
    m_controls.ReadColourScheme();
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT WindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; m_dialog.Handle(m_window, message, wParam, lParam, m_controls.Background(), result))
        return result;
    switch (message)
    {
    case WM_CREATE:
        m_host.WindowOpened(m_window);
        return 0;
    case WM_DESTROY:
        m_host.WindowClosed(m_window);
        return 0;
    case WM_NOTIFY:
        return m_controls.CustomDraw(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
        return m_controls.ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED:
        ApplyDpi(MoveToSuggestedRect(m_window, wParam, lParam));
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETHIGHCONTRAST)
            break;
        ApplyColourScheme();
        return 0;
    case WM_SYSCOLORCHANGE:
        ApplyColourScheme();
        return 0;
    case WM_CLOSE:
        // Not under a running command: it may be the window's own, still in its handler.
        if (!CommandScope::Running())
            break;
        CommandScope::DeferClose(m_window);
        return 0;
    case WM_SETCURSOR:
        // Sent to a disabled window too, and passed up to it by its controls.
        if (!BusyScope::Active())
            break;
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    default:
        break;
    }
    return HandleMessage(message, wParam, lParam);
}

LRESULT WindowBase::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE)
        m_window = window;
    LRESULT result = 0;
    try
    {
        result = Dispatch(message, wParam, lParam);
    }
    catch (...)
    {
        // The command handlers trap their own failures: anything that gets here is a fault.
        m_host.ReportFault(std::current_exception());
        result = ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY)
    {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
    }
    return result;
}

} // namespace velmora::ui
