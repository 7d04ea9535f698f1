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

// A failure as a trap reports it.
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

// Whether the handler goes on after a failed step, silently.
bool IsPassedOver(std::int32_t number, TrapVariant variant)
{
    return variant == TrapVariant::ResumeNext || (variant == TrapVariant::Standard && IsSkippedByStandardTrap(number));
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

ErrorTrap::~ErrorTrap()
{
    if (m_report.empty())
        return;
    try
    {
        m_desktop.ShowMessage(m_report, MessageStyle::Error, std::nullopt);
    }
    catch (...)
    {
        // The report itself failed: there is no second attempt.
    }
}

void ErrorTrap::OnFailure(std::exception_ptr failure, StepKind kind) noexcept
{
    try
    {
        const CurrentError error = ErrorFrom(failure);
        if (IsPassedOver(error.number, kind == StepKind::Essential ? TrapVariant::Plain : m_variant))
            return;
        m_ended = true;
        m_report = TrappedErrorMessage(error.number, error.description);
    }
    catch (...)
    {
        // The report could not even be composed: the handler ends without one.
        m_ended = true;
    }
}

} // namespace velmora
