#pragma once

#include "app/resource.h"
#include "common/layout.h"

#include <span>
#include <string_view>

namespace velmora
{

inline constexpr int kMainClientWidth = 6765;  // twips
inline constexpr int kMainClientHeight = 5790; // twips
inline constexpr Rgb kMainBackground{255, 192, 128};
inline constexpr int kIconCornerSize = 480; // twips: the icon's corner, which no other control covers

struct MenuCommandDef
{
    std::string_view caption;
    int id;
};

/// Every control of the main window, in top-to-bottom order.
std::span<const ControlDef> MainWindowControls();

/// The menu bar: three commands side by side, no submenus.
std::span<const MenuCommandDef> MainMenuCommands();

} // namespace velmora
