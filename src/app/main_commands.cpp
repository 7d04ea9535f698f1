#include "app/main_commands.h"

#include "shell/error_trap.h"
#include "shell/shell_result.h"

namespace velmora
{

void cmdOpenRegistryEditor_Click(Desktop& desktop, WindowRef owner)
{
    ErrorTrap trap(TrapVariant::Standard, desktop);
    std::int32_t shellResult = 0;
    // A bare program name: finding regedit is the shell's work.
    trap.Step([&] { shellResult = ShellOpenRequest(desktop, owner, "regedit"); });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::General, desktop); });
}

void mnuHelp_Click(Desktop& desktop, WindowRef owner)
{
    ErrorTrap trap(TrapVariant::Standard, desktop);
    std::int32_t shellResult = 0;
    trap.Step([&] {
        shellResult = ShellOpenRequest(desktop, owner, desktop.ApplicationFolder() + "\\" + std::string(kHelpFileName));
    });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::Help, desktop); });
}

} // namespace velmora
