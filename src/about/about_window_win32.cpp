#include "about/about_window_win32.h"

#include "about/about_layout.h"
#include "win32/gdi_scope.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <string>

namespace velmora::win32
{
namespace
{

constexpr wchar_t kClassName[] = L"VelmoraAboutWindow";
// A fixed dialog frame with a close box and neither minimise nor maximise box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

UniqueHfont CreateAboutFont(const AboutFont& font, UINT dpi)
{
    // Where Arial or its Hebrew character set is missing, the font mapper picks the nearest font.
    return CreatePointFont(Widen(font.face).c_str(), font.points, static_cast<BYTE>(font.charSet), dpi);
}

// Always the same place on the screen: the client area's corner at fixed twips.
RECT FrameAt(UINT dpi)
{
    const int d = static_cast<int>(dpi);
    RECT frame{TwipsToPixels(kAboutClientLeft, d), TwipsToPixels(kAboutClientTop, d), 0, 0};
    frame.right = frame.left + TwipsToPixels(kAboutClientWidth, d);
    frame.bottom = frame.top + TwipsToPixels(kAboutClientHeight, d);
    ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
    return frame;
}

} // namespace

AboutWindow::AboutWindow(WindowHost& host) : m_host(host), m_controls(AboutControls(), kAboutBackground)
{
}

void AboutWindow::Create(HWND hiddenOwner)
{
    const HINSTANCE instance = m_host.Instance();
    RegisterWindowClass(instance, kClassName, m_host.IconId());

    // Owned by a hidden window, so that it stays off the taskbar and outlives the main window.
    const UINT systemDpi = ::GetDpiForSystem();
    const RECT frame = FrameAt(systemDpi);
    const std::wstring caption = Widen(kAboutCaption);
    if (!::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top, hiddenOwner, nullptr, instance, this))
        ThrowLastError(FailureSource::Window);
    m_dpi = ::GetDpiForWindow(m_window);
    if (m_dpi != systemDpi)
    {
        const RECT scaled = FrameAt(m_dpi);
        ::SetWindowPos(m_window, nullptr, scaled.left, scaled.top, scaled.right - scaled.left,
                       scaled.bottom - scaled.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    m_font = CreateAboutFont(kAboutFont, m_dpi);
    m_titleFont = CreateAboutFont(kAboutTitleFont, m_dpi);
    m_icons = LoadWindowIcons(instance, m_host.IconId(), m_dpi);
    SetWindowIcons(m_window, m_icons);
    m_controls.CreateControls(m_window, m_dpi, {m_font.get(), m_titleFont.get(), m_icons.picture.get()});
    m_dialog.SetFocusControl(::GetDlgItem(m_window, kIdCmdOk));
    frmAbout_Load(*this, m_host.Desktop());
}

// The new fonts and icons are in every control's hands before the old ones are deleted.
void AboutWindow::ApplyDpi(UINT dpi)
{
    UniqueHfont font = CreateAboutFont(kAboutFont, dpi);
    UniqueHfont titleFont = CreateAboutFont(kAboutTitleFont, dpi);
    WindowIcons icons = LoadWindowIcons(m_host.Instance(), m_host.IconId(), dpi);
    m_controls.ApplyDpi(m_window, dpi, {font.get(), titleFont.get(), icons.picture.get()});
    SetWindowIcons(m_window, icons);
    m_dpi = dpi;
    m_font = std::move(font);
    m_titleFont = std::move(titleFont);
    m_icons = std::move(icons);
    FitVersionLabel();
    ::InvalidateRect(m_window, nullptr, TRUE);
}

void AboutWindow::SetVersionText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, kIdLblVersion), Widen(text).c_str());
    FitVersionLabel();
}

// lblVersion grows to its text in its own font; its left and top edges stay.
void AboutWindow::FitVersionLabel()
{
    const HWND label = ::GetDlgItem(m_window, kIdLblVersion);
    const std::wstring text = WindowText(label);
    RECT bounds{0, 0, 0, 0};
    {
        const WindowDc dc(label);
        const SelectedObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
        ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    }
    ::SetWindowPos(label, nullptr, 0, 0, bounds.right, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::ShowAndActivate()
{
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::SetForegroundWindow(m_window);
    ::SetActiveWindow(m_window);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; m_dialog.Handle(m_window, message, wParam, lParam, m_controls.Background(), result))
        return result;
    switch (message)
    {
    case WM_CREATE:
        m_host.WindowOpened(m_window);
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (id == IDCANCEL || (id == kIdCmdOk && notification == BN_CLICKED))
            ::DestroyWindow(m_window); // cmdOK, Esc: closed and discarded
        else if (id == kIdCmdSysInfo && notification == BN_CLICKED)
            StartSysInfo(m_registry, m_launcher, m_host.Desktop());
        return 0;
    }
    case WM_NOTIFY:
        return m_controls.CustomDraw(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
        return m_controls.ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(MoveToSuggestedRect(m_window, wParam, lParam));
        return 0;
    case WM_DESTROY:
        m_host.WindowClosed(m_window);
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void AboutWindow::OnPaint()
{
    const PaintScope paint(m_window);
    const int dpi = static_cast<int>(m_dpi);
    const UniqueHpen pen(
        ::CreatePen(PS_SOLID, ::MulDiv(kAboutLine.width, dpi, USER_DEFAULT_SCREEN_DPI), ToColorref(kAboutLine.colour)));
    const SelectedObject selected(paint.get(), pen.get());
    ::MoveToEx(paint.get(), TwipsToPixels(kAboutLine.x1, dpi), TwipsToPixels(kAboutLine.y1, dpi), nullptr);
    ::LineTo(paint.get(), TwipsToPixels(kAboutLine.x2, dpi), TwipsToPixels(kAboutLine.y2, dpi));
}

} // namespace velmora::win32
