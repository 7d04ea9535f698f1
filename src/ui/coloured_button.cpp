#include "ui/coloured_button.h"

#include "ui/gdi_scope.h"
#include "win32/unique_handle.h"
#include "ui/window_text.h"

#include <string>

namespace velmora::ui
{

LRESULT DrawColouredButton(const NMCUSTOMDRAW& draw, COLORREF face, COLORREF text)
{
    if (draw.dwDrawStage != CDDS_PREPAINT)
        return CDRF_DODEFAULT;

    const HWND button = draw.hdr.hwndFrom;
    const HDC dc = draw.hdc;
    RECT rect = draw.rc;
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    const bool focused = (draw.uItemState & CDIS_FOCUS) != 0;
    const bool isDefault = (::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const auto uiState = static_cast<DWORD>(::SendMessageW(button, WM_QUERYUISTATE, 0, 0));

    if (isDefault)
    {
        ::FrameRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::InflateRect(&rect, -1, -1);
    }
    const win32::UniqueHbrush faceBrush(::CreateSolidBrush(face));
    ::FillRect(dc, &rect, faceBrush.get());
    ::DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const std::wstring caption = WindowText(button);
    RECT textRect = rect;
    if (pressed)
        ::OffsetRect(&textRect, 1, 1);
    const SelectedObject font(dc, reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(button) ? text : ::GetSysColor(COLOR_GRAYTEXT));
    const UINT prefix = (uiState & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
    ::DrawTextW(dc, caption.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);

    if (focused && !(uiState & UISF_HIDEFOCUS))
    {
        RECT focusRect = rect;
        ::InflateRect(&focusRect, -3, -3);
        ::DrawFocusRect(dc, &focusRect);
    }
    return CDRF_SKIPDEFAULT;
}

} // namespace velmora::ui
