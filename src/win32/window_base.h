#pragma once

#include "win32/control_factory.h"
#include "win32/dialog_behaviour.h"
#include "win32/dpi.h"
#include "win32/unique_handle.h"
#include "win32/win32_failure.h"
#include "win32/window_host.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <span>
#include <string>

namespace velmora::win32
{

/// Where a window goes on the screen and its outer size, at one DPI; without an origin the system
/// places it.
struct WindowFrame
{
    std::optional<POINT> origin;
    SIZE size;
};

/// The fonts of a window's controls at one DPI; without a title font the normal one serves both.
struct WindowFonts
{
    UniqueHfont normal;
    UniqueHfont title;
};

// One class per window, built from a layout table: the thunk stores `this` at WM_NCCREATE and
// forwards every message. The base answers what every window of controls shares (dialog
// behaviour, opened and closed with the program, label and button colours, DPI and theme
// changes); the rest goes to the derived class, which gives:
//   WindowFrame Frame(UINT dpi) const;
//   WindowFonts CreateFonts(UINT dpi) const;
//   LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam); // DefWindowProcW for the rest
// and may give void OnDpiApplied(), called once its controls have the new DPI's fonts.
template <class Derived>
class WindowBase
{
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    [[nodiscard]] HWND Window() const { return m_window; }

protected:
    WindowBase(WindowHost& host, std::span<const ControlDef> layout, Rgb background)
        : m_host(host), m_controls(layout, background)
    {
    }

    // Never deleted through the base, so the destructor needs no vtable entry. A window that is
    // still open is detached first: its last messages must not reach a half-destroyed object.
    ~WindowBase()
    {
        if (m_window)
        {
            ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
            ::DestroyWindow(m_window);
        }
    }

    /// Creates the window at the system DPI, sizes it again when its monitor has another DPI, and
    /// gives it its icons and its controls. The window is destroyed again if any of it fails.
    void CreateWindowAndControls(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
                                 HWND owner, UniqueHmenu menu)
    {
        const HINSTANCE instance = m_host.Instance();
        RegisterWindowClass(instance, className);

        const UINT systemDpi = ::GetDpiForSystem();
        const WindowFrame frame = Self().Frame(systemDpi);
        UniqueHwnd created(::CreateWindowExW(exStyle, className, caption.c_str(), style,
                                             frame.origin ? frame.origin->x : CW_USEDEFAULT,
                                             frame.origin ? frame.origin->y : CW_USEDEFAULT, frame.size.cx,
                                             frame.size.cy, owner, menu.get(), instance, &Self()));
        if (!created)
        {
            const DWORD error = ::GetLastError();
            // A window that was made and then failed has taken its menu along.
            if (menu && !::IsMenu(menu.get()))
                static_cast<void>(menu.release());
            throw FailureFromWin32(error, FailureSource::Window);
        }
        static_cast<void>(menu.release()); // the window's now

        m_dpi = ::GetDpiForWindow(m_window);
        if (m_dpi != systemDpi)
        {
            const WindowFrame scaled = Self().Frame(m_dpi);
            ::SetWindowPos(m_window, nullptr, scaled.origin ? scaled.origin->x : 0,
                           scaled.origin ? scaled.origin->y : 0, scaled.size.cx, scaled.size.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE | (scaled.origin ? 0 : SWP_NOMOVE));
        }
        m_fonts = Self().CreateFonts(m_dpi);
        m_icons = LoadWindowIcons(instance, m_host.IconId(), m_dpi);
        SetWindowIcons(m_window, m_icons);
        m_controls.CreateControls(m_window, m_dpi, ResourcesOf(m_fonts, m_icons));
        static_cast<void>(created.release());
    }

    void OnDpiApplied() {}

    WindowHost& m_host;
    HWND m_window = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    ControlFactory m_controls;
    DialogBehaviour m_dialog{m_controls.DefaultButtonId()};

private:
    Derived& Self() { return static_cast<Derived&>(*this); }

    // The class icons are the shared ones of the system DPI, never destroyed; each window then sets
    // its own for its DPI. Registering again fails harmlessly.
    void RegisterWindowClass(HINSTANCE instance, const wchar_t* className) const
    {
        const auto loadIcon = [&](int metric) {
            const int size = ::GetSystemMetricsForDpi(metric, ::GetDpiForSystem());
            return static_cast<HICON>(
                ::LoadImageW(instance, MAKEINTRESOURCEW(m_host.IconId()), IMAGE_ICON, size, size, LR_SHARED));
        };
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = loadIcon(SM_CXICON);
        windowClass.hIconSm = loadIcon(SM_CXSMICON);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        ::RegisterClassExW(&windowClass);
    }

    static ControlResources ResourcesOf(const WindowFonts& fonts, const WindowIcons& icons)
    {
        return {fonts.normal.get(), fonts.title ? fonts.title.get() : fonts.normal.get(), icons.picture.get()};
    }

    // The new fonts and icons are in every control's hands before the old ones are deleted.
    void ApplyDpi(UINT dpi)
    {
        WindowFonts fonts = Self().CreateFonts(dpi);
        WindowIcons icons = LoadWindowIcons(m_host.Instance(), m_host.IconId(), dpi);
        m_controls.ApplyDpi(m_window, dpi, ResourcesOf(fonts, icons));
        SetWindowIcons(m_window, icons);
        m_dpi = dpi;
        m_fonts = std::move(fonts);
        m_icons = std::move(icons);
        Self().OnDpiApplied();
        ::InvalidateRect(m_window, nullptr, TRUE);
    }

    // A theme switched while the program runs: the window and every control repaint in its colours.
    void ApplyColourScheme()
    {
        m_controls.ReadColourScheme();
        ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
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
        default:
            break;
        }
        return Self().HandleMessage(message, wParam, lParam);
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE)
        {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->m_window = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        else
        {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (!self)
            return ::DefWindowProcW(window, message, wParam, lParam);

        LRESULT result = 0;
        try
        {
            result = self->Dispatch(message, wParam, lParam);
        }
        catch (...)
        {
            // The command handlers trap their own failures: anything that gets here is a fault.
            self->m_host.ReportFault(std::current_exception());
            result = ::DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY)
        {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->m_window = nullptr;
        }
        return result;
    }

    WindowFonts m_fonts;
    WindowIcons m_icons;
};

} // namespace velmora::win32
