#pragma once

#include "shell/desktop.h"

#include <exception>
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
/// failed; once the trap has ended the handler, later steps do not run, and the failure is reported
/// as the trap goes, so that what the handler holds (declared after the trap) is let go of before
/// the message box, which may stay up for as long as the user likes. An essential step's failure is
/// handled as under the plain trap: reported, and the handler ends.
class ErrorTrap
{
public:
    ErrorTrap(TrapVariant variant, Desktop& desktop) : m_variant(variant), m_desktop(desktop) {}
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

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

    [[nodiscard]] bool Ended() const { return m_ended; }

private:
    void OnFailure(std::exception_ptr failure, StepKind kind) noexcept;

    TrapVariant m_variant;
    Desktop& m_desktop;
    std::string m_report; // the failure's message, shown as the trap goes
    bool m_ended = false;
};

} // namespace velmora
