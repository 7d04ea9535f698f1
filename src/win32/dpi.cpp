#include "win32/dpi.h"

#include <cmath>
#include <iterator>

namespace velmora::win32
{

RECT ControlRect(const ControlDef& control, UINT dpi)
{
    const int d = static_cast<int>(dpi);
    const int left = TwipsToPixels(control.left, d);
    const int top = TwipsToPixels(control.top, d);
    return {left, top, left + TwipsToPixels(control.width, d), top + TwipsToPixels(control.height, d)};
}

UniqueHfont CreateMessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
    {
        // Older systems: the metrics at the system DPI, scaled.
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        metrics.lfMessageFont.lfHeight =
            ::MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(::GetDpiForSystem()));
    }
    return UniqueHfont(::CreateFontIndirectW(&metrics.lfMessageFont));
}

UniqueHfont CreatePointFont(const wchar_t* face, double points, BYTE charSet, UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charSet;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy_s(font.lfFaceName, std::size(font.lfFaceName), face, _TRUNCATE);
    return UniqueHfont(::CreateFontIndirectW(&font));
}

SIZE WindowSizeForClient(int clientWidthTwips, int clientHeightTwips, DWORD style, DWORD exStyle, bool hasMenu,
                         UINT dpi)
{
    const int d = static_cast<int>(dpi);
    RECT rect{0, 0, TwipsToPixels(clientWidthTwips, d), TwipsToPixels(clientHeightTwips, d)};
    ::AdjustWindowRectExForDpi(&rect, style, hasMenu, exStyle, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace velmora::win32
