#pragma once

#include <windows.h>
#include <commctrl.h>

namespace velmora::ui
{

/// Custom draw of a push button with its own face colour. The button keeps its behaviour (focus,
/// keyboard, default-button style); only its look is drawn here: face, edge, caption with its
/// access-key underline, focus rectangle and the frame of the default button. A disabled button's
/// caption is grey.
LRESULT DrawColouredButton(const NMCUSTOMDRAW& draw, COLORREF face, COLORREF text);

} // namespace velmora::ui
