#pragma once

#include "common/layout.h"
#include "win32/unique_handle.h"

#include <windows.h>

namespace velmora::ui
{

/// A control's rectangle in pixels at the given DPI.
RECT ControlRect(const ControlDef& control, UINT dpi);

/// The desktop's message font (the default dialog font) at the given DPI.
win32::UniqueHfont CreateMessageFont(UINT dpi);

/// A font of the given face and point size at the given DPI.
win32::UniqueHfont CreatePointFont(const wchar_t* face, double points, BYTE charSet, UINT dpi);

/// The program's icon at the sizes that one window needs at its DPI, each from the image of that
/// size in the resource, so that nothing is scaled. The window does not own them.
struct WindowIcons
{
    win32::UniqueHicon picture;  // 32 pixels at 96 DPI: the picture in the window's corner and its large icon
    win32::UniqueHicon titleBar; // the small icon
};

WindowIcons LoadWindowIcons(HINSTANCE instance, int iconId, UINT dpi);

/// Gives the icons to the window as its large and small icon (WM_SETICON).
void SetWindowIcons(HWND window, const WindowIcons& icons);

/// Moves the window to the rectangle WM_DPICHANGED suggests (its lParam) and returns the new DPI
/// (its wParam), for the window to scale its contents to.
UINT MoveToSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam);

/// Outer window size for a client area of the given twips, with this style, menu and DPI.
SIZE WindowSizeForClient(int clientWidthTwips, int clientHeightTwips, DWORD style, DWORD exStyle, bool hasMenu,
                         UINT dpi);

inline COLORREF ToColorref(Rgb colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace velmora::ui
