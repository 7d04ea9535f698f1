#pragma once

#include "common/app_identity.h"
#include "common/layout.h"

#include <span>
#include <string>
#include <string_view>

// Control ids, plain #defines like the main window's; cmdOK is IDOK (1) so that the dialog manager's
// Enter and Esc reach it.
#define IDC_ABOUT_CMDOK 1
#define IDC_ABOUT_CMDSYSINFO 3001
#define IDC_ABOUT_LABEL1 3002
#define IDC_ABOUT_LBLDESCRIPTION 3003
#define IDC_ABOUT_LBLTITLE 3004
#define IDC_ABOUT_LBLVERSION 3005
#define IDC_ABOUT_PICICON 3006

namespace velmora
{

inline constexpr std::string_view kAboutCaption = "About Velmora";
inline constexpr int kAboutClientWidth = 4635;  // twips
inline constexpr int kAboutClientHeight = 5160; // twips
inline constexpr int kAboutClientLeft = 2580;   // twips from the screen's left edge
inline constexpr int kAboutClientTop = 2505;    // twips from the screen's top edge
inline constexpr Rgb kAboutBackground{0, 0, 0};
inline constexpr Rgb kAboutLabelColour{255, 128, 0};

struct AboutFont
{
    std::string_view face;
    double points;
    int charSet;
};
// The product's About font asks for character set 177 (Hebrew); kept as it always was.
inline constexpr AboutFont kAboutFont{"Arial", 8.25, 177};
inline constexpr AboutFont kAboutTitleFont{"Arial", 12.0, 177};

/// The straight line Line1; it runs past the right edge and is clipped there.
struct LineDef
{
    int x1; // twips, as are the other ends
    int y1;
    int x2;
    int y2;
    int width; // pixels at 96 DPI
    Rgb colour;
};
inline constexpr LineDef kAboutLine{0, 3480, 6240, 3480, 2, {255, 255, 255}};

/// The controls of the About dialog in creation order; where two overlap the later lies on top.
std::span<const ControlDef> AboutControls();

/// " Version 1.0.1", CR LF, and the copyright line: the text the load step puts into lblVersion.
std::string VersionText(const AppIdentity& identity);

} // namespace velmora
