#include "ui/modal_scope.h"

#include <exception>

namespace velmora::ui
{
namespace
{

struct EnumState
{
    HWND owner;
    std::vector<HWND>* windows;
    std::exception_ptr failure;
};

// Only gathers: no exception may unwind through the system's callback, so a failure is carried out.
BOOL CALLBACK GatherOne(HWND window, LPARAM param)
{
    auto& state = *reinterpret_cast<EnumState*>(param);
    if (window == state.owner || !::IsWindowVisible(window) || !::IsWindowEnabled(window))
        return TRUE;
    try
    {
        state.windows->push_back(window);
        return TRUE;
    }
    catch (...)
    {
        state.failure = std::current_exception();
        return FALSE;
    }
}

} // namespace

ThreadModalScope::ThreadModalScope(HWND owner)
{
    EnumState state{owner, &m_disabled, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), GatherOne, reinterpret_cast<LPARAM>(&state));
    if (state.failure)
        std::rethrow_exception(state.failure); // nothing disabled yet
    for (HWND window : m_disabled)
        ::EnableWindow(window, FALSE);
}

ThreadModalScope::~ThreadModalScope()
{
    for (HWND window : m_disabled)
    {
        if (::IsWindow(window))
            ::EnableWindow(window, TRUE);
    }
}

} // namespace velmora::ui
