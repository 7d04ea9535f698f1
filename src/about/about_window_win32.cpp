#include "about/about_window_win32.h"

#include "about/about_layout.h"
#include "app/application_win32.h"
#include "app/resource.h"
#include "win32/dpi.h"
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

} // namespace

AboutWindow::AboutWindow(Application& application)
    : m_application(application), m_backgroundBrush(::CreateSolidBrush(ToColorref(kAboutBackground)))
{
}

void AboutWindow::Create(HWND hiddenOwner)
{
    const HINSTANCE instance = m_application.Instance();
    m_icon = RegisterWindowClass(instance, kClassName, IDI_VELMORA);

    // Always the same place on the screen: the client area's corner at fixed twips.
    m_dpi = ::GetDpiForSystem();
    const int dpi = static_cast<int>(m_dpi);
    RECT frame{TwipsToPixels(kAboutClientLeft, dpi), TwipsToPixels(kAboutClientTop, dpi), 0, 0};
    frame.right = frame.left + TwipsToPixels(kAboutClientWidth, dpi);
    frame.bottom = frame.top + TwipsToPixels(kAboutClientHeight, dpi);
    ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, m_dpi);

    // Owned by a hidden window, so that it stays off the taskbar and outlives the main window.
    const std::wstring caption = Widen(kAboutCaption);
    if (!::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, frame.left, frame.top,
                           frame.right - frame.left, frame.bottom - frame.top, hiddenOwner, nullptr, instance, this))
        ThrowLastError(FailureSource::Window);

    m_font = CreateAboutFont(kAboutFont, m_dpi);
    m_titleFont = CreateAboutFont(kAboutTitleFont, m_dpi);
    CreateControls();
    frmAbout_Load(*this, m_application.Desktop());
}

void AboutWindow::CreateControls()
{
    const HINSTANCE instance = m_application.Instance();
    for (const ControlDef& def : AboutControls())
    {
        const bool isButton = def.kind == ControlKind::Button;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        style |= isButton ? WS_TABSTOP | BS_NOTIFY | (def.id == kIdCmdOk ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)
                          : SS_CENTER | SS_NOPREFIX;
        const RECT rect = ControlRect(def, m_dpi);
        const HWND control = ::CreateWindowExW(0, isButton ? L"BUTTON" : L"STATIC", Widen(def.text).c_str(), style,
                                               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                               m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                               instance, nullptr);
        const HFONT font = def.id == kIdLblTitle ? m_titleFont.get() : m_font.get();
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // A later control lies above the earlier ones it overlaps.
        if (!isButton)
            ::SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    m_dialog.SetFocusControl(::GetDlgItem(m_window, kIdCmdOk));
}

void AboutWindow::SetVersionText(std::string_view text)
{
    ::SetWindowTextW(::GetDlgItem(m_window, kIdLblVersion), Widen(text).c_str());
    FitVersionLabel();
}

// lblVersion grows to its text; its left and top edges stay.
void AboutWindow::FitVersionLabel()
{
    const HWND label = ::GetDlgItem(m_window, kIdLblVersion);
    const std::wstring text = WindowText(label);
    const HDC dc = ::GetDC(label);
    const HGDIOBJ oldFont = ::SelectObject(dc, m_font.get());
    RECT bounds{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(label, dc);
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
    if (LRESULT result = 0; m_dialog.Handle(m_window, message, wParam, lParam, m_backgroundBrush.get(), result))
        return result;
    switch (message)
    {
    case WM_CREATE:
        m_application.WindowOpened(m_window);
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (id == IDCANCEL || (id == kIdCmdOk && notification == BN_CLICKED))
            ::DestroyWindow(m_window); // cmdOK, Esc: closed and discarded
        else if (id == kIdCmdSysInfo && notification == BN_CLICKED)
            StartSysInfo(m_registry, m_launcher, m_application.Desktop());
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, ToColorref(kAboutLabelColour));
        ::SetBkColor(dc, ToColorref(kAboutBackground));
        return reinterpret_cast<LRESULT>(m_backgroundBrush.get());
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        m_application.WindowClosed(m_window);
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void AboutWindow::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_window, &paint);
    ::DrawIconEx(dc, 0, 0, m_icon, 0, 0, 0, nullptr, DI_NORMAL);
    const int dpi = static_cast<int>(m_dpi);
    const UniqueAny<HandleTraits<HPEN, ::DeleteObject>> pen(
        ::CreatePen(PS_SOLID, ::MulDiv(kAboutLine.width, dpi, USER_DEFAULT_SCREEN_DPI), ToColorref(kAboutLine.colour)));
    const HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
    ::MoveToEx(dc, TwipsToPixels(kAboutLine.x1, dpi), TwipsToPixels(kAboutLine.y1, dpi), nullptr);
    ::LineTo(dc, TwipsToPixels(kAboutLine.x2, dpi), TwipsToPixels(kAboutLine.y2, dpi));
    ::SelectObject(dc, oldPen);
    ::EndPaint(m_window, &paint);
}

} // namespace velmora::win32
