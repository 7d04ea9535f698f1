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

constexpr std::array kControls = {
    ControlDef{Label, "Label1", -1, "Location in Registry", 1320, 240, 4005, 255, 10, IDC_LABEL1, kDarkBlue},
    ControlDef{TextBox, "txtLoc", 0, R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)", 120,
                600, 6400, 285, 0, IDC_TXTLOC_0},
    ControlDef{Label, "Label4", -1, "Application Program Name", 120, 1080, 6400, 255, 9, IDC_LABEL4, kDarkBlue},
    ControlDef{TextBox, "txtLoc", 1, "Paint", 120, 1440, 6400, 285, 1, IDC_TXTLOC_1},
    ControlDef{Label, "Label2", -1, "Section. eg: Recent File List", 120, 1920, 6400, 255, 11, IDC_LABEL2, kDarkBlue},
    ControlDef{TextBox, "txtLoc", 2, "Recent File List", 120, 2280, 6400, 285, 2, IDC_TXTLOC_2},
    ControlDef{Label, "Label3", -1, "Key / Entrance. eg: File Place in List", 120, 2760, 6400, 255, 12, IDC_LABEL3,
                kDarkBlue},
    ControlDef{TextBox, "txtLoc", 3, "File1", 120, 3120, 6400, 285, 3, IDC_TXTLOC_3},
    ControlDef{Button, "cmdSelectFile", -1, "Selcet Recent File ...", 120, 3600, 1695, 255, 4, IDC_CMDSELECTFILE},
    ControlDef{Label, "Label5", -1, "Setting / Value", 1920, 3600, 4605, 255, 8, IDC_LABEL5, kDarkBlue},
    ControlDef{TextBox, "txtSelectFile", -1, "", 120, 3960, 6400, 285, 5, IDC_TXTSELECTFILE},
    ControlDef{Button, "cmdOpenRegistryEditor", -1, "&Registry Editor", 1080, 4320, 1455, 495, 7,
                IDC_CMDOPENREGISTRYEDITOR, std::nullopt, kPink},
    ControlDef{Button, "cmdSaveToRegistry", -1, "&Save To Registry", 3720, 4320, 1455, 495, 6, IDC_CMDSAVETOREGISTRY,
                std::nullopt, kLightGreen},
    // The status label keeps the default text colour.
    ControlDef{Label, "lblPath", -1, "", 30, 4920, 6675, 795, 13, IDC_LBLPATH},
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
