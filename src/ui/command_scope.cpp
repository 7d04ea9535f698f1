#include "ui/command_scope.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora::ui
{
namespace
{

// Out of the header: GCC's link-time optimisation for Windows defines an inline thread_local's
// initialisation in every file that uses it, and the link fails.
thread_local bool t_running = false;
thread_local std::vector<HWND> t_deferredCloses;

} // namespace

CommandScope::CommandScope() noexcept : m_entered(!t_running)
{
    t_running = true;
}

bool CommandScope::Running() noexcept
{
    return t_running;
}

void CommandScope::DeferClose(HWND window)
{
    if (std::find(t_deferredCloses.begin(), t_deferredCloses.end(), window) == t_deferredCloses.end())
        t_deferredCloses.push_back(window);
}

// Posted, not sent: the window that ran the command is still in its handler.
CommandScope::~CommandScope()
{
    if (!m_entered)
        return;
    t_running = false;
    for (HWND window : std::exchange(t_deferredCloses, {}))
    {
        if (::IsWindow(window))
            ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

} // namespace velmora::ui
