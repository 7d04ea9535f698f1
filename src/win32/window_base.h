#pragma once

#include <windows.h>

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
            self->OnFinalDestroy();
        }
        return result;
    }

    // Called after the window is gone; the object may end its life here.
    virtual void OnFinalDestroy() {}

    HWND m_window = nullptr;
};

} // namespace velmora::win32
