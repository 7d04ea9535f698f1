#include "app/main_layout.h"

#include <array>

namespace velmora
{
namespace
{

constexpr Rgb kDarkBlue{0, 0, 192};
constexpr Rgb kLightGreen{128, 255, 128};
constexpr Rgb kPink{255, 128, 255};

using enum ControlKind;

// A caption in dark blue; screen readers read it out as the name of its field.
constexpr ControlTraits CaptionOf(int fieldId)
{
    return {.textColour = kDarkBlue, .captionFor = fieldId};
}
constexpr ControlTraits kPinkFace{.faceColour = kPink};
constexpr ControlTraits kGreenFaceDefault{.faceColour = kLightGreen, .isDefault = true};

constexpr std::array kControls = {
    ControlDef{Picture, "", 0, 0, kIconCornerSize, kIconCornerSize, 14, IDC_PICICON},
    ControlDef{Label, "Location in Registry", 1320, 240, 4005, 255, 10, IDC_LABEL1, CaptionOf(IDC_TXTLOC_0)},
    ControlDef{TextBox, R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)", 120, 600, 6400, 285,
               0, IDC_TXTLOC_0},
    ControlDef{Label, "Application Program Name", 120, 1080, 6400, 255, 9, IDC_LABEL4, CaptionOf(IDC_TXTLOC_1)},
    ControlDef{TextBox, "Paint", 120, 1440, 6400, 285, 1, IDC_TXTLOC_1},
    ControlDef{Label, "Section. eg: Recent File List", 120, 1920, 6400, 255, 11, IDC_LABEL2, CaptionOf(IDC_TXTLOC_2)},
    ControlDef{TextBox, "Recent File List", 120, 2280, 6400, 285, 2, IDC_TXTLOC_2},
    ControlDef{Label, "Key / Entrance. eg: File Place in List", 120, 2760, 6400, 255, 12, IDC_LABEL3,
               CaptionOf(IDC_TXTLOC_3)},
    ControlDef{TextBox, "File1", 120, 3120, 6400, 285, 3, IDC_TXTLOC_3},
    // The product's own caption, its misspelling kept.
    ControlDef{Button, "Selcet Recent File ...", 120, 3600, 1695, 255, 4, IDC_CMDSELECTFILE},
    ControlDef{Label, "Setting / Value", 1920, 3600, 4605, 255, 8, IDC_LABEL5, CaptionOf(IDC_TXTSELECTFILE)},
    ControlDef{TextBox, "", 120, 3960, 6400, 285, 5, IDC_TXTSELECTFILE},
    ControlDef{Button, "&Registry Editor", 1080, 4320, 1455, 495, 7, IDC_CMDOPENREGISTRYEDITOR, kPinkFace},
    ControlDef{Button, "&Save To Registry", 3720, 4320, 1455, 495, 6, IDC_CMDSAVETOREGISTRY, kGreenFaceDefault},
    // The status label keeps the default text colour.
    ControlDef{Label, "", 30, 4920, 6675, 795, 13, IDC_LBLPATH},
};

constexpr std::array kMenu = {
    MenuCommandDef{"E&xit", IDM_EXIT},
    MenuCommandDef{"&Help", IDM_HELP},
    MenuCommandDef{"&About", IDM_ABOUT},
};

} // namespace

std::span<const ControlDef> MainWindowControls()
{
    return kControls;
}

std::span<const MenuCommandDef> MainMenuCommands()
{
    return kMenu;
}

} // namespace velmora
