#include "about/about_window_win32.h"

#include "about/about_layout.h"
#include "ui/command_scope.h"
#include "ui/gdi_scope.h"
#include "win32/wide.h"

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
    return ui::CreatePointFont(Widen(font.face).c_str(), font.points, static_cast<BYTE>(font.charSet), dpi);
}

} // namespace

AboutWindow::AboutWindow(ui::WindowHost& host, Desktop& desktop)
    : WindowThunk(host, AboutControls(), kAboutBackground), m_desktop(desktop)
{
}

void AboutWindow::Create(HWND hiddenOwner)
{
    // Owned by a hidden window, so that it stays off the taskbar and outlives the main window.
    CreateWindowAndControls(kClassName, Widen(kAboutCaption), kStyle, kExStyle, hiddenOwner, {});
    m_dialog.SetFocusControl(::GetDlgItem(m_window, IDC_ABOUT_CMDOK));
    frmAbout_Load(*this, m_desktop);
}

// Always the same place on the screen: the client area's corner at fixed twips.
ui::WindowFrame AboutWindow::Frame(UINT dpi) const
{
    const int d = static_cast<int>(dpi);
    RECT frame{TwipsToPixels(kAboutClientLeft, d), TwipsToPixels(kAboutClientTop, d), 0, 0};
    frame.right = frame.left + TwipsToPixels(kAboutClientWidth, d);
    frame.bottom = frame.top + TwipsToPixels(kAboutClientHeight, d);
    ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi);
    return {POINT{frame.left, frame.top}, SIZE{frame.right - frame.left, frame.bottom - frame.top}};
}

ui::WindowFonts AboutWindow::CreateFonts(UINT dpi) const
{
    return {CreateAboutFont(kAboutFont, dpi), CreateAboutFont(kAboutTitleFont, dpi)};
}

void AboutWindow::OnDpiApplied()
{
    FitVersionLabel();
}

void AboutWindow::SetVersionText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, IDC_ABOUT_LBLVERSION), Widen(text).c_str());
    FitVersionLabel();
}

// lblVersion grows to its text in its own font; its left and top edges stay.
void AboutWindow::FitVersionLabel()
{
    const HWND label = ::GetDlgItem(m_window, IDC_ABOUT_LBLVERSION);
    const std::wstring text = ui::WindowText(label);
    RECT bounds{0, 0, 0, 0};
    {
        const ui::WindowDc dc(label);
        const ui::SelectedObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
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
    switch (message)
    {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        // cmdOK, Esc: closed and discarded, after a command that runs (WM_CLOSE waits for it)
        if (id == IDCANCEL || (id == IDC_ABOUT_CMDOK && notification == BN_CLICKED))
            ::SendMessageW(m_window, WM_CLOSE, 0, 0);
        else if (id == IDC_ABOUT_CMDSYSINFO && notification == BN_CLICKED)
        {
            if (const ui::CommandScope command; command.Entered())
                StartSysInfo(m_registry, m_launcher, m_desktop);
        }
        return 0;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void AboutWindow::OnPaint()
{
    const ui::PaintScope paint(m_window);
    const int dpi = static_cast<int>(m_dpi);
    const UniqueHpen pen(::CreatePen(PS_SOLID, ::MulDiv(kAboutLine.width, dpi, USER_DEFAULT_SCREEN_DPI),
                                     m_controls.Colour(ColourRole::Line, kAboutLine.colour)));
    const ui::SelectedObject selected(paint.get(), pen.get());
    ::MoveToEx(paint.get(), TwipsToPixels(kAboutLine.x1, dpi), TwipsToPixels(kAboutLine.y1, dpi), nullptr);
    ::LineTo(paint.get(), TwipsToPixels(kAboutLine.x2, dpi), TwipsToPixels(kAboutLine.y2, dpi));
}

} // namespace velmora::win32
