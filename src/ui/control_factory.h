#pragma once

#include "common/colours.h"
#include "common/layout.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <optional>
#include <span>

namespace velmora::ui
{

/// What a window's controls take at its current DPI: a font for each role, and its picture.
struct ControlResources
{
    HFONT normalFont;
    HFONT titleFont;
    HICON picture;

    [[nodiscard]] HFONT FontFor(FontRole role) const { return role == FontRole::Title ? titleFont : normalFont; }
};

/// Makes a window's controls from its layout table, and keeps serving them from it: their places
/// and fonts at each DPI, the colours of the window, its labels and button faces under the
/// system's colour scheme, the default button.
class ControlFactory
{
public:
    ControlFactory(std::span<const ControlDef> layout, Rgb background);

    /// Reads the system's colour scheme again (high contrast on or off, the theme's colours).
    void ReadColourScheme();

    /// The colour to draw with for the role, given the design's colour for it.
    [[nodiscard]] COLORREF Colour(ColourRole role, std::optional<Rgb> design) const;

    /// Creates every control at its place for the DPI, with its font set. Tab stops come in tab
    /// order, each right after the caption that names it; the other controls come first, the later
    /// one in the table lying on top where two overlap.
    void CreateControls(HWND parent, UINT dpi, const ControlResources& resources) const;

    /// Places every control for the new DPI and gives it the new font and picture.
    void ApplyDpi(HWND parent, UINT dpi, const ControlResources& resources) const;

    /// WM_CTLCOLORSTATIC: a label's text colour on the window's background.
    [[nodiscard]] LRESULT ColourStatic(HDC dc, HWND control) const;

    /// NM_CUSTOMDRAW: a button with a face colour of its own is drawn here, any other as usual.
    [[nodiscard]] LRESULT CustomDraw(const NMHDR& header) const;

    /// The id of the button that Enter presses while no other button has the focus.
    [[nodiscard]] int DefaultButtonId() const;

    [[nodiscard]] HBRUSH Background() const { return m_backgroundBrush.get(); }

private:
    [[nodiscard]] const ControlDef* Find(int id) const;

    std::span<const ControlDef> m_layout;
    Rgb m_background;
    ColourScheme m_scheme{};
    win32::UniqueHbrush m_backgroundBrush;
};

} // namespace velmora::ui
