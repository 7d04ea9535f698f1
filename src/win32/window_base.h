#pragma once

#include <windows.h>

#include <string>

namespace velmora::win32
{

// One class per window: the thunk stores `this` at WM_NCCREATE and forwards every message to the
// derived class's HandleMessage. No exception leaves the window procedure.
template <class Derived>
class WindowBase
{
public:
    [[nodiscard]] HWND Window() const { return m_window; }

protected:
    // Never deleted through the base, so the destructor needs no vtable entry.
    ~WindowBase() = default;

    /// Registers the window class (once; later calls fail harmlessly) with the icon of the given
    /// resource id at the standard sizes of the system DPI: shared icons, never destroyed. Each
    /// window then sets its own for its DPI.
    static void RegisterWindowClass(HINSTANCE instance, const wchar_t* className, int iconId)
    {
        const auto loadIcon = [&](int metric) {
            const int size = ::GetSystemMetricsForDpi(metric, ::GetDpiForSystem());
            return static_cast<HICON>(
                ::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED));
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
            result = self->HandleMessage(message, wParam, lParam);
        }
        catch (...)
        {
            // The command handlers trap their own failures; anything else must not unwind into Windows.
            result = ::DefWindowProcW(window, message, wParam, lParam);
        }
        if (message == WM_NCDESTROY)
        {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->m_window = nullptr;
        }
        return result;
    }

    HWND m_window = nullptr;
};

/// The text of a window or control.
inline std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace velmora::win32
