#include "about/about_layout.h"

#include <array>

namespace velmora
{
namespace
{

using enum ControlKind;

// Starts with an empty line: the two-line version label above reaches into the notice's first line.
constexpr std::string_view kNotice = "\r\n"
                                     "Copyright \xC2\xA9 " VELMORA_COPYRIGHT_YEAR " The Velmora developers\r\n"
                                     "Contact: velmora@example.org\r\n"
                                     "\r\n"
                                     "By the Velmora developers, velmora.example.org\r\n"
                                     "Free to use; you alone are responsible for its use.";

constexpr ControlTraits kLabel{.textColour = kAboutLabelColour};
constexpr ControlTraits kTitle{.textColour = kAboutLabelColour, .font = FontRole::Title};
constexpr ControlTraits kDefaultButton{.isDefault = true};

constexpr std::array kControls = {
    ControlDef{Picture, "", 0, 0, 480, 480, 6, IDC_ABOUT_PICICON},
    ControlDef{Button, "&OK", 3238, 3720, 1260, 345, 0, IDC_ABOUT_CMDOK, kDefaultButton},
    ControlDef{Button, "&System Info...", 3238, 4200, 1245, 345, 1, IDC_ABOUT_CMDSYSINFO},
    ControlDef{Label, kNotice, 0, 2040, 4605, 1305, 2, IDC_ABOUT_LABEL1, kLabel},
    ControlDef{Label, "      Freeware Velmora - Create Reg file:         Velmora.reg - and run it", 32, 942, 4575, 735,
               3, IDC_ABOUT_LBLDESCRIPTION, kLabel},
    ControlDef{Label, "Velmora", 840, 120, 3045, 705, 4, IDC_ABOUT_LBLTITLE, kTitle},
    // Sizes itself to its text; only its left and top edges are fixed.
    ControlDef{Label, "", 2160, 1789, 75, 210, 5, IDC_ABOUT_LBLVERSION, kLabel},
};

} // namespace

std::span<const ControlDef> AboutControls()
{
    return kControls;
}

std::string VersionText(const AppIdentity& identity)
{
    return " Version " + std::to_string(identity.major) + "." + std::to_string(identity.minor) + "." +
           std::to_string(identity.revision) + "\r\n\xC2\xA9 " VELMORA_COPYRIGHT_YEAR " Velmora";
}

} // namespace velmora
