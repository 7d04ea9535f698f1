#pragma once

#include "ui/control_factory.h"
#include "ui/dialog_behaviour.h"
#include "ui/dpi.h"
#include "ui/window_host.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <optional>
#include <span>
#include <string>

namespace velmora::ui
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
    win32::UniqueHfont normal;
    win32::UniqueHfont title;
};

// What every window of controls built from a layout table shares: creation at the system DPI and
// the rescale to its monitor's, dialog behaviour, opened and closed with the program, label and
// button colours, DPI and theme changes. A window derives through WindowThunk below and gives its
// frame, its fonts and the messages that are its own.
class WindowBase
{
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    [[nodiscard]] HWND Window() const { return m_window; }

protected:
    WindowBase(WindowHost& host, std::span<const ControlDef> layout, Rgb background, WNDPROC windowProc);
    virtual ~WindowBase();

    /// Creates the window at the system DPI, sizes it again when its monitor has another DPI, and
    /// gives it its icons and its controls. The window is destroyed again if any of it fails.
    void CreateWindowAndControls(const wchar_t* className, const std::wstring& caption, DWORD style, DWORD exStyle,
                                 HWND owner, win32::UniqueHmenu menu);

    /// Every message of the window: the shared cases here, the rest to HandleMessage.
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    [[nodiscard]] virtual WindowFrame Frame(UINT dpi) const = 0;
    [[nodiscard]] virtual WindowFonts CreateFonts(UINT dpi) const = 0;
    /// The window's own messages; DefWindowProcW for the rest.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    /// Called once the controls have the new DPI's fonts.
    virtual void OnDpiApplied() {}

    WindowHost& m_host;
    HWND m_window = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    ControlFactory m_controls;
    DialogBehaviour m_dialog{m_controls.DefaultButtonId()};

private:
    void RegisterWindowClass(const wchar_t* className) const;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(UINT dpi);
    void ApplyColourScheme();

    WNDPROC m_windowProc;
    WindowFonts m_fonts;
    WindowIcons m_icons;
};

// The window procedure of one window class: stores `this` at WM_NCCREATE, finds it again for every
// later message and forwards the message to it.
template <class Derived>
class WindowThunk : public WindowBase
{
protected:
    WindowThunk(WindowHost& host, std::span<const ControlDef> layout, Rgb background)
        : WindowBase(host, layout, background, &WindowProc)
    {
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
        {
            auto* self = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<Derived*>(self)));
        }
        auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        return self ? self->OnMessage(window, message, wParam, lParam)
                    : ::DefWindowProcW(window, message, wParam, lParam);
    }
};

} // namespace velmora::ui
