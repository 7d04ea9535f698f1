#include "win32/window_base.h"

#include "common/error_trap.h"

namespace velmora::win32
{

void ReportWindowFault(std::exception_ptr fault, Desktop& desktop) noexcept
{
    // The box runs a message loop of its own: a fault that comes back with every message under it
    // (a paint, say) is shown once, not in a pile of boxes.
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    try
    {
        desktop.ShowMessage(FailureMessage(std::move(fault)), MessageStyle::Error, std::nullopt);
    }
    catch (...)
    {
        // Not even the box could be shown; the window lives on all the same.
    }
    reporting = false;
}

} // namespace velmora::win32
