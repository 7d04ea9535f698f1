#pragma once

#include <windows.h>

namespace velmora::ui
{

// One command at a time among the thread's windows. A command asked for while another runs (a
// nested loop, a message box's or a wait's, dispatches it) is dropped, not run inside the first;
// a close asked for meanwhile is carried out once the running command ends.
class CommandScope
{
public:
    CommandScope() noexcept;
    ~CommandScope();
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

    /// False when another command was running: the caller drops its own.
    [[nodiscard]] bool Entered() const noexcept { return m_entered; }
    /// Whether a command runs on this thread.
    [[nodiscard]] static bool Running() noexcept;
    /// Keeps the window's WM_CLOSE for the end of the running command, which posts it again.
    static void DeferClose(HWND window);

private:
    bool m_entered;
};

} // namespace velmora::ui
