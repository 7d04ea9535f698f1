#include "app/main_layout.h"

#include <algorithm>
#include <array>

namespace velmora
{
namespace
{

using enum ControlKind;

constexpr ControlTraits CaptionOf(int fieldId)
{
    return {.textColour = kDarkBlue, .captionFor = fieldId};
}
constexpr ControlTraits kPinkFace{.faceColour = kPink};
constexpr ControlTraits kGreenFaceDefault{.faceColour = kLightGreen, .isDefault = true};

constexpr std::array kFields = {
    FieldDef{Field::Location, IDC_TXTLOC_0, IDC_LABEL1, "Location in Registry"},
    FieldDef{Field::Application, IDC_TXTLOC_1, IDC_LABEL4, "Application Program Name"},
    FieldDef{Field::Section, IDC_TXTLOC_2, IDC_LABEL2, "Section. eg: Recent File List"},
    FieldDef{Field::Key, IDC_TXTLOC_3, IDC_LABEL3, "Key / Entrance. eg: File Place in List"},
    FieldDef{Field::Value, IDC_TXTSELECTFILE, IDC_LABEL5, "Setting / Value"},
};

constexpr const FieldDef& FieldOf(Field field)
{
    return kFields[static_cast<std::size_t>(field)];
}
static_assert(std::ranges::all_of(kAllFields, [](Field field) { return FieldOf(field).field == field; }));

// The caption of a field in dark blue, which screen readers read out as the field's name.
constexpr ControlDef Caption(Field field, int left, int top, int width, int tabIndex)
{
    const FieldDef& def = FieldOf(field);
    return {Label, def.caption, left, top, width, 255, tabIndex, def.captionId, CaptionOf(def.controlId)};
}

constexpr ControlDef TextBoxOf(Field field, std::string_view text, int top, int tabIndex)
{
    return {TextBox, text, 120, top, 6400, 285, tabIndex, FieldOf(field).controlId};
}

constexpr std::array kControls = {
    ControlDef{Picture, "", 0, 0, kIconCornerSize, kIconCornerSize, 14, IDC_PICICON},
    Caption(Field::Location, 1320, 240, 4005, 10),
    TextBoxOf(Field::Location, R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets)", 600, 0),
    Caption(Field::Application, 120, 1080, 6400, 9),
    TextBoxOf(Field::Application, "Paint", 1440, 1),
    Caption(Field::Section, 120, 1920, 6400, 11),
    TextBoxOf(Field::Section, "Recent File List", 2280, 2),
    Caption(Field::Key, 120, 2760, 6400, 12),
    TextBoxOf(Field::Key, "File1", 3120, 3),
    // The product's own caption, its misspelling kept.
    ControlDef{Button, "Selcet Recent File ...", 120, 3600, 1695, 255, 4, IDC_CMDSELECTFILE},
    Caption(Field::Value, 1920, 3600, 4605, 8),
    TextBoxOf(Field::Value, "", 3960, 5),
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

int FieldControlId(Field field)
{
    return FieldOf(field).controlId;
}

std::span<const MenuCommandDef> MainMenuCommands()
{
    return kMenu;
}

} // namespace velmora
