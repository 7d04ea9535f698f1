#include "shell/error_trap.h"

#include "common/runtime_failure.h"

#include <new>

namespace velmora
{
namespace
{

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

} // namespace

std::string TrappedErrorMessage(std::int32_t number, std::string_view description)
{
    std::string message = "Error Number: " + std::to_string(number) + " ";
    message += description;
    return message;
}

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

TrapOutcome HandleTrappedError(const CurrentError& error, TrapVariant variant, Desktop& desktop)
{
    if (variant == TrapVariant::ResumeNext)
        return TrapOutcome::Skip;
    if (variant == TrapVariant::Standard && IsSkippedByStandardTrap(error.number))
        return TrapOutcome::Skip;
    desktop.ShowMessage(TrappedErrorMessage(error.number, error.description), MessageStyle::Error, std::nullopt);
    return TrapOutcome::End;
}

void ErrorTrap::OnFailure(std::exception_ptr failure, StepKind kind) noexcept
{
    try
    {
        const CurrentError error = ErrorFrom(failure);
        const TrapVariant variant = kind == StepKind::Essential ? TrapVariant::Plain : m_variant;
        m_ended = HandleTrappedError(error, variant, m_desktop) == TrapOutcome::End;
    }
    catch (...)
    {
        // The report itself failed: the handler ends without a second attempt.
        m_ended = true;
    }
}

} // namespace velmora
