#pragma once

#include "common/app_identity.h"
#include "common/layout.h"

#include <span>
#include <string>
#include <string_view>

namespace velmora
{

// Control ids; cmdOK is IDOK (1) so that the dialog manager's Enter and Esc reach it.
inline constexpr int kIdCmdOk = 1;
inline constexpr int kIdCmdSysInfo = 3001;
inline constexpr int kIdLabel1 = 3002;
inline constexpr int kIdLblDescription = 3003;
inline constexpr int kIdLblTitle = 3004;
inline constexpr int kIdLblVersion = 3005;
inline constexpr int kIdPicIcon = 3006;

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
