#include "win32/modal_scope.h"

namespace velmora::win32
{
namespace
{

struct EnumState
{
    HWND owner;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM param)
{
    auto& state = *reinterpret_cast<EnumState*>(param);
    if (window != state.owner && ::IsWindowVisible(window) && ::IsWindowEnabled(window))
    {
        ::EnableWindow(window, FALSE);
        state.disabled->push_back(window);
    }
    return TRUE;
}

} // namespace

ThreadModalScope::ThreadModalScope(HWND owner)
{
    EnumState state{owner, &m_disabled};
    ::EnumThreadWindows(::GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&state));
}

ThreadModalScope::~ThreadModalScope()
{
    for (HWND window : m_disabled)
    {
        if (::IsWindow(window))
            ::EnableWindow(window, TRUE);
    }
}

} // namespace velmora::win32
