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
    ControlDef{Picture, "picIcon", "", 0, 0, kIconCornerSize, kIconCornerSize, 14, IDC_PICICON},
    ControlDef{Label, "Label1", "Location in Registry", 1320, 240, 4005, 255, 10, IDC_LABEL1, CaptionOf(IDC_TXTLOC_0)},
    ControlDef{TextBox, "txtLoc(0)", R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)", 120, 600,
               6400, 285, 0, IDC_TXTLOC_0},
    ControlDef{Label, "Label4", "Application Program Name", 120, 1080, 6400, 255, 9, IDC_LABEL4,
               CaptionOf(IDC_TXTLOC_1)},
    ControlDef{TextBox, "txtLoc(1)", "Paint", 120, 1440, 6400, 285, 1, IDC_TXTLOC_1},
    ControlDef{Label, "Label2", "Section. eg: Recent File List", 120, 1920, 6400, 255, 11, IDC_LABEL2,
               CaptionOf(IDC_TXTLOC_2)},
    ControlDef{TextBox, "txtLoc(2)", "Recent File List", 120, 2280, 6400, 285, 2, IDC_TXTLOC_2},
    ControlDef{Label, "Label3", "Key / Entrance. eg: File Place in List", 120, 2760, 6400, 255, 12, IDC_LABEL3,
               CaptionOf(IDC_TXTLOC_3)},
    ControlDef{TextBox, "txtLoc(3)", "File1", 120, 3120, 6400, 285, 3, IDC_TXTLOC_3},
    ControlDef{Button, "cmdSelectFile", "Selcet Recent File ...", 120, 3600, 1695, 255, 4, IDC_CMDSELECTFILE},
    ControlDef{Label, "Label5", "Setting / Value", 1920, 3600, 4605, 255, 8, IDC_LABEL5, CaptionOf(IDC_TXTSELECTFILE)},
    ControlDef{TextBox, "txtSelectFile", "", 120, 3960, 6400, 285, 5, IDC_TXTSELECTFILE},
    ControlDef{Button, "cmdOpenRegistryEditor", "&Registry Editor", 1080, 4320, 1455, 495, 7, IDC_CMDOPENREGISTRYEDITOR,
               kPinkFace},
    ControlDef{Button, "cmdSaveToRegistry", "&Save To Registry", 3720, 4320, 1455, 495, 6, IDC_CMDSAVETOREGISTRY,
               kGreenFaceDefault},
    // The status label keeps the default text colour.
    ControlDef{Label, "lblPath", "", 30, 4920, 6675, 795, 13, IDC_LBLPATH},
};

constexpr std::array kMenu = {
    MenuCommandDef{"mnuExit", "E&xit", IDM_EXIT},
    MenuCommandDef{"mnuHelp", "&Help", IDM_HELP},
    MenuCommandDef{"mnuAbout", "&About", IDM_ABOUT},
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
