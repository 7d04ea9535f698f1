#include "about/about_commands.h"

#include "about/about_layout.h"
#include "shell/error_trap.h"

namespace velmora
{

void mnuAbout_Click(AboutHost& host, Desktop& desktop)
{
    ErrorTrap trap(TrapVariant::Plain, desktop);
    trap.Step([&] {
        if (!host.IsAboutOpen())
            host.CreateAbout();
    });
    trap.Step([&] { host.ShowAbout(); });
}

void frmAbout_Load(AboutView& view, Desktop& desktop)
{
    ErrorTrap trap(TrapVariant::Plain, desktop);
    trap.Step([&] { view.SetVersionText(VersionText(desktop.Identity())); });
}

} // namespace velmora
