#pragma once

#include <windows.h>

#include <vector>

namespace velmora::ui
{

// A modal box disables only its owner; the thread's other top-level windows (the About dialog, or
// the main window under it) are disabled too while it is up, so that no second command starts
// underneath it. They are enabled again when the scope ends.
class ThreadModalScope
{
public:
    explicit ThreadModalScope(HWND owner);
    ~ThreadModalScope();
    ThreadModalScope(const ThreadModalScope&) = delete;
    ThreadModalScope& operator=(const ThreadModalScope&) = delete;

private:
    std::vector<HWND> m_disabled;
};

} // namespace velmora::ui
