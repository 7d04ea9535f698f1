#pragma once

#include <windows.h>

namespace velmora::win32
{

// A window that is not a dialog box must give the focus back to the control that had it when the
// window is activated again (after a message box, or a click on another window).
class FocusKeeper
{
public:
    void Remember(HWND control) { m_control = control; }

    /// Call on WM_ACTIVATE and WM_SETFOCUS of the window.
    void OnActivate(HWND window, bool active)
    {
        if (!active)
        {
            const HWND focus = ::GetFocus();
            if (focus && ::IsChild(window, focus))
                m_control = focus;
            return;
        }
        if (m_control && ::IsWindow(m_control) && !::IsIconic(window))
            ::SetFocus(m_control);
    }

private:
    HWND m_control = nullptr;
};

} // namespace velmora::win32
