#include "shell/error_trap.h"

#include "common/runtime_failure.h"

#include <cstdint>
#include <new>
#include <string_view>
#include <utility>

namespace velmora
{
namespace
{

enum class TrapOutcome
{
    Skip,
    End,
};

// The last failure inside a handler; number 0 means none.
struct CurrentError
{
    std::int32_t number = 0;
    std::string description;
};

bool IsSkippedByStandardTrap(std::int32_t number)
{
    return number == kErrInvalidArgument || number == kErrInvalidUseOfNull || number == kErrPathFileAccess;
}

CurrentError ErrorFrom(std::exception_ptr failure)
{
    try
    {
        std::rethrow_exception(failure);
    }
    catch (const RuntimeFailure& runtimeFailure)
    {
        return {runtimeFailure.Number(), runtimeFailure.Description()};
    }
    catch (const std::bad_alloc&)
    {
        return {kErrOutOfMemory, StandardDescription(kErrOutOfMemory)};
    }
    catch (const std::exception& other)
    {
        return {kErrInternal, StandardDescription(kErrInternal) + ": " + other.what()};
    }
    catch (...)
    {
        return {kErrInternal, StandardDescription(kErrInternal)};
    }
}

// "Error Number: " + number + " " + description.
std::string TrappedErrorMessage(std::int32_t number, std::string_view description)
{
    std::string message = "Error Number: " + std::to_string(number) + " ";
    message += description;
    return message;
}

// Decides whether the handler goes on after a failed step; reports the failure, after letting go
// of what no box may keep, when it ends it.
TrapOutcome HandleTrappedError(const CurrentError& error, TrapVariant variant, Desktop& desktop,
                               const std::function<void()>& letGo)
{
    if (variant == TrapVariant::ResumeNext)
        return TrapOutcome::Skip;
    if (variant == TrapVariant::Standard && IsSkippedByStandardTrap(error.number))
        return TrapOutcome::Skip;
    letGo();
    desktop.ShowMessage(TrappedErrorMessage(error.number, error.description), MessageStyle::Error, std::nullopt);
    return TrapOutcome::End;
}

} // namespace

std::string FailureMessage(std::exception_ptr failure)
{
    const CurrentError error = ErrorFrom(std::move(failure));
    return TrappedErrorMessage(error.number, error.description);
}

void ShowFault(Desktop& desktop, std::exception_ptr fault) noexcept
{
    static bool showing = false;
    if (showing)
        return;
    showing = true;
    try
    {
        desktop.ShowMessage(FailureMessage(std::move(fault)), MessageStyle::Error, std::nullopt);
    }
    catch (...)
    {
        // Not even the box could be shown; the exit code or the window living on still tells.
    }
    showing = false;
}

void ErrorTrap::LetGo()
{
    if (const std::function<void()> letGo = std::exchange(m_letGo, nullptr))
        letGo();
}

void ErrorTrap::OnFailure(std::exception_ptr failure, StepKind kind) noexcept
{
    try
    {
        const CurrentError error = ErrorFrom(failure);
        const TrapVariant variant = kind == StepKind::Essential ? TrapVariant::Plain : m_variant;
        m_ended = HandleTrappedError(error, variant, m_desktop, [this] { LetGo(); }) == TrapOutcome::End;
    }
    catch (...)
    {
        // The report itself failed: the handler ends without a second attempt.
        m_ended = true;
    }
}

} // namespace velmora
