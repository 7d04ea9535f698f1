#include "ui/dialog_behaviour.h"

namespace velmora::ui
{
namespace
{

// Posted, so that it runs after the dialog manager has finished moving the focus.
constexpr UINT kApplyDefaultButton = WM_APP + 0x100;

bool IsPushButton(HWND window)
{
    const auto code = ::SendMessageW(window, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void SetButtonType(HWND button, LONG type)
{
    const LONG style = ::GetWindowLongW(button, GWL_STYLE);
    if ((style & BS_TYPEMASK) != type)
        ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type), TRUE);
}

void ApplyDefaultButtonRule(HWND window, int defaultButtonId)
{
    const HWND focus = ::GetFocus();
    const HWND target =
        focus && ::IsChild(window, focus) && IsPushButton(focus) ? focus : ::GetDlgItem(window, defaultButtonId);
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (IsPushButton(child))
            SetButtonType(child, child == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }
}

} // namespace

bool DialogBehaviour::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HBRUSH background,
                             LRESULT& result)
{
    result = 0;
    switch (message)
    {
    case WM_COMMAND: {
        // Buttons report focus with BS_NOTIFY; edit boxes always do.
        const auto notification = HIWORD(wParam);
        if (!lParam || (notification != BN_SETFOCUS && notification != EN_SETFOCUS))
            return false;
        ::PostMessageW(window, kApplyDefaultButton, 0, 0);
        return true;
    }
    case kApplyDefaultButton:
        ApplyDefaultButtonRule(window, m_defaultButtonId);
        return true;
    case DM_GETDEFID:
        result = MAKELRESULT(m_defaultButtonId, DC_HASDEFID);
        return true;
    case WM_ACTIVATE:
        OnActivate(window, LOWORD(wParam) != WA_INACTIVE);
        return true;
    case WM_SETFOCUS:
        OnActivate(window, true);
        return true;
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(window, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, background);
        result = 1;
        return true;
    }
    default:
        return false;
    }
}

void DialogBehaviour::OnActivate(HWND window, bool active)
{
    if (!active)
    {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(window, focus))
            m_focusControl = focus;
        return;
    }
    if (m_focusControl && ::IsWindow(m_focusControl) && !::IsIconic(window))
        ::SetFocus(m_focusControl);
}

} // namespace velmora::ui
