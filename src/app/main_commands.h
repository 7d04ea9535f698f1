#pragma once

#include "shell/desktop.h"

namespace velmora
{

/// Opens the system registry editor through the shell.
void cmdOpenRegistryEditor_Click(Desktop& desktop, WindowRef owner);

/// Opens VelmoraHelp.pdf beside the program through the shell.
void mnuHelp_Click(Desktop& desktop, WindowRef owner);

} // namespace velmora
