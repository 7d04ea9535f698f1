#pragma once

#include "shell/desktop.h"

#include <exception>
#include <functional>
#include <string>

namespace velmora
{

enum class TrapVariant
{
    Standard,   // skips the numbers IsSkippedByStandardTrap lists; reports anything else and ends the handler
    Plain,      // reports every failure and ends the handler
    ResumeNext, // skips every failure silently
};

enum class StepKind
{
    Ordinary,
    // A step whose failure must end the handler whatever its number, because the steps after it
    // would act on a half-done effect (a file not in place, a value not read).
    Essential,
};

/// The trapped failure's message for an exception that no trap caught, numbered as a trap numbers it.
std::string FailureMessage(std::exception_ptr failure);

/// Shows a fault that no trap caught in the box a trapped failure gets. The box runs a message
/// loop of its own: a fault that comes back with every message under it is shown once, not in a
/// pile of boxes; a box that cannot be shown is given up.
void ShowFault(Desktop& desktop, std::exception_ptr fault) noexcept;

/// Runs the steps of one handler under one trap variant. A step that fails is abandoned where it
/// failed; once the trap has ended the handler, later steps do not run. An essential step's
/// failure is handled as under the plain trap: reported, and the handler ends.
class ErrorTrap
{
public:
    ErrorTrap(TrapVariant variant, Desktop& desktop) : m_variant(variant), m_desktop(desktop) {}

    template <class StepFn>
    void Step(StepFn&& step, StepKind kind = StepKind::Ordinary)
    {
        if (m_ended)
            return;
        try
        {
            step();
        }
        catch (...)
        {
            OnFailure(std::current_exception(), kind);
        }
    }

    /// Lets go of something that no message box may keep, such as a save's turn in its folder that
    /// other instances wait for: the action runs once, before the trap's first message or at
    /// LetGo, whichever comes first.
    void LetGoBeforeReport(std::function<void()> letGo) { m_letGo = std::move(letGo); }
    void LetGo();

    [[nodiscard]] bool Ended() const { return m_ended; }

private:
    void OnFailure(std::exception_ptr failure, StepKind kind) noexcept;

    TrapVariant m_variant;
    Desktop& m_desktop;
    std::function<void()> m_letGo;
    bool m_ended = false;
};

} // namespace velmora
