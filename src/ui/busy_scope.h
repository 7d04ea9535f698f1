#pragma once

#include "ui/modal_scope.h"

#include <windows.h>

#include <optional>

namespace velmora::ui
{

// While the thread waits with its messages dispatched, its windows repaint but take no input, as
// under an application-modal message box, and the cursor over them is the wait cursor. At the end
// the windows it disabled are enabled again and the focus goes back where it was.
class BusyScope
{
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    /// Whether a busy scope lives on this thread: the window base then shows the wait cursor.
    [[nodiscard]] static bool Active() noexcept { return t_count > 0; }

private:
    inline static thread_local int t_count = 0;

    HWND m_focus;
    std::optional<ThreadModalScope> m_disabled;
};

} // namespace velmora::ui
