#include "ui/dpi.h"

#include <cmath>
#include <iterator>

namespace velmora::ui
{

RECT ControlRect(const ControlDef& control, UINT dpi)
{
    const int d = static_cast<int>(dpi);
    const int left = TwipsToPixels(control.left, d);
    const int top = TwipsToPixels(control.top, d);
    return {left, top, left + TwipsToPixels(control.width, d), top + TwipsToPixels(control.height, d)};
}

win32::UniqueHfont CreateMessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
    {
        // Should the call fail all the same, the metrics at the system DPI, scaled.
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        metrics.lfMessageFont.lfHeight =
            ::MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(::GetDpiForSystem()));
    }
    return win32::UniqueHfont(::CreateFontIndirectW(&metrics.lfMessageFont));
}

win32::UniqueHfont CreatePointFont(const wchar_t* face, double points, BYTE charSet, UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charSet;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy_s(font.lfFaceName, std::size(font.lfFaceName), face, _TRUNCATE);
    return win32::UniqueHfont(::CreateFontIndirectW(&font));
}

WindowIcons LoadWindowIcons(HINSTANCE instance, int iconId, UINT dpi)
{
    const auto load = [&](int size) {
        return win32::UniqueHicon(
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0)));
    };
    return {load(::MulDiv(32, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI)),
            load(::GetSystemMetricsForDpi(SM_CXSMICON, dpi))};
}

void SetWindowIcons(HWND window, const WindowIcons& icons)
{
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.picture.get()));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.titleBar.get()));
}

UINT MoveToSuggestedRect(HWND window, WPARAM wParam, LPARAM lParam)
{
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return HIWORD(wParam);
}

SIZE WindowSizeForClient(int clientWidthTwips, int clientHeightTwips, DWORD style, DWORD exStyle, bool hasMenu,
                         UINT dpi)
{
    const int d = static_cast<int>(dpi);
    RECT rect{0, 0, TwipsToPixels(clientWidthTwips, d), TwipsToPixels(clientHeightTwips, d)};
    ::AdjustWindowRectExForDpi(&rect, style, hasMenu, exStyle, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace velmora::ui
