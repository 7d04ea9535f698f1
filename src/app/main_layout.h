#pragma once

#include "app/resource.h"
#include "regchange/save_entry.h"
#include "common/layout.h"

#include <span>
#include <string_view>

namespace velmora
{

inline constexpr int kMainClientWidth = 6765;  // twips
inline constexpr int kMainClientHeight = 5790; // twips
// The design colours. scripts/make-icon.sh draws the icon in the background, blue and pink: run it
// after changing one.
inline constexpr Rgb kMainBackground{255, 192, 128};
inline constexpr Rgb kDarkBlue{0, 0, 192};
inline constexpr Rgb kLightGreen{128, 255, 128};
inline constexpr Rgb kPink{255, 128, 255};
inline constexpr int kIconCornerSize = 480; // twips: the icon's corner, which no other control covers

/// One field of the main window: the field the commands know, its text box, and the caption
/// that names it (the name a message gives it is FieldName's).
struct FieldDef
{
    Field field;
    int controlId;
    int captionId;
    std::string_view caption;
};

/// The text box of the field.
int FieldControlId(Field field);

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
