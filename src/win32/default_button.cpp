#include "win32/default_button.h"

namespace velmora::win32
{
namespace
{

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

} // namespace

void ApplyDefaultButtonRule(HWND parent, int defaultButtonId)
{
    const HWND focus = ::GetFocus();
    const HWND target = focus && ::IsChild(parent, focus) && IsPushButton(focus)
                            ? focus
                            : ::GetDlgItem(parent, defaultButtonId);
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (IsPushButton(child))
            SetButtonType(child, child == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    }
}

} // namespace velmora::win32
