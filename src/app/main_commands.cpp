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
    std::string document;
    std::int32_t shellResult = 0;
    // One path, read once, for the request and for the message that names it.
    trap.Step([&] {
        document = FileInFolder(desktop.ApplicationFolder(), kHelpFileName);
        shellResult = ShellOpenRequest(desktop, owner, document);
    });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::Help(document), desktop); });
}

} // namespace velmora
