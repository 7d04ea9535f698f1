#pragma once

#include <utility>

namespace velmora::win32
{

/// Runs the action when the scope ends, unless Release was called first: the undo of a step that
/// must not outlive a failure, without a catch-and-rethrow.
template <class Action>
class ScopeExit
{
public:
    explicit ScopeExit(Action action) : m_action(std::move(action)) {}
    ~ScopeExit()
    {
        if (m_armed)
            m_action();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

    void Release() noexcept { m_armed = false; }

private:
    Action m_action;
    bool m_armed = true;
};

} // namespace velmora::win32
