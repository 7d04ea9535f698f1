#include "ui/busy_scope.h"

namespace velmora::ui
{
namespace
{

// The cursor changes only when a WM_SETCURSOR asks for it, which the mouse sends when it moves:
// the window under a cursor that stands still is asked here, so that the shape changes at once.
void RefreshCursor()
{
    POINT point{};
    ::GetCursorPos(&point);
    const HWND window = ::WindowFromPoint(point);
    if (!window || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId())
        return;
    const auto hit = ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(LOWORD(hit), WM_MOUSEMOVE));
}

} // namespace

// The focus is kept first: disabling a window takes the focus from it.
BusyScope::BusyScope() : m_focus(::GetFocus())
{
    m_disabled.emplace(nullptr);
    ++t_count;
    RefreshCursor();
}

// Enabled again first: a disabled window cannot take the focus.
BusyScope::~BusyScope()
{
    m_disabled.reset();
    --t_count;
    if (m_focus && ::IsWindow(m_focus) && !::GetFocus())
        ::SetFocus(m_focus);
    RefreshCursor();
}

} // namespace velmora::ui
