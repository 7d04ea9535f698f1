#include "ui/control_factory.h"

#include "ui/coloured_button.h"
#include "ui/dpi.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <algorithm>
#include <vector>

namespace velmora::ui
{
namespace
{

bool IsTabStop(const ControlDef& def)
{
    return def.kind == ControlKind::TextBox || def.kind == ControlKind::Button;
}

// Children are created at the bottom of the z-order, and both the dialog manager's tab order and a
// screen reader's name for a field (the static text just above it) follow the z-order.
std::vector<const ControlDef*> CreationOrder(std::span<const ControlDef> layout)
{
    std::vector<const ControlDef*> order;
    for (auto def = layout.rbegin(); def != layout.rend(); ++def)
    {
        if (!IsTabStop(*def) && def->traits.captionFor == 0)
            order.push_back(&*def);
    }
    std::vector<const ControlDef*> tabStops;
    for (const ControlDef& def : layout)
    {
        if (IsTabStop(def))
            tabStops.push_back(&def);
    }
    std::ranges::sort(tabStops, {}, [](const ControlDef* def) { return def->tabIndex; });
    for (const ControlDef* field : tabStops)
    {
        for (const ControlDef& def : layout)
        {
            if (def.traits.captionFor == field->id)
                order.push_back(&def);
        }
        order.push_back(field);
    }
    return order;
}

HWND CreateControl(HWND parent, const ControlDef& def, UINT dpi)
{
    const wchar_t* className = L"STATIC";
    // Where two controls overlap, the one above is drawn over the one below.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    switch (def.kind)
    {
    case ControlKind::Label:
        // SS_CENTER breaks long text at word boundaries and cuts what does not fit.
        style |= SS_CENTER | SS_NOPREFIX;
        break;
    case ControlKind::TextBox:
        className = L"EDIT";
        style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case ControlKind::Button:
        className = L"BUTTON";
        style |= WS_TABSTOP | BS_NOTIFY | (def.traits.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::Picture:
        // Drawn at the icon's own size; the control takes that size when the icon is set.
        style |= SS_ICON | SS_REALSIZEIMAGE;
        break;
    }
    const RECT rect = ControlRect(def, dpi);
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    const HWND control = ::CreateWindowExW(exStyle, className, win32::Widen(def.text).c_str(), style, rect.left,
                                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
    if (!control)
        win32::ThrowLastError(win32::FailureSource::Window);
    return control;
}

Rgb SystemColour(int index)
{
    const COLORREF colour = ::GetSysColor(index);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

void GiveResources(HWND control, const ControlDef& def, const ControlResources& resources, BOOL redraw)
{
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(resources.FontFor(def.traits.font)), redraw);
    if (def.kind == ControlKind::Picture)
        ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(resources.picture), 0);
}

} // namespace

ControlFactory::ControlFactory(std::span<const ControlDef> layout, Rgb background)
    : m_layout(layout), m_background(background)
{
    ReadColourScheme();
}

void ControlFactory::ReadColourScheme()
{
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof(highContrast);
    const bool on = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(highContrast), &highContrast, 0) &&
                    (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    m_scheme = {on, SystemColour(COLOR_WINDOW), SystemColour(COLOR_WINDOWTEXT), SystemColour(COLOR_BTNFACE),
                SystemColour(COLOR_BTNTEXT)};
    m_backgroundBrush.reset(::CreateSolidBrush(Colour(ColourRole::WindowBackground, m_background)));
}

COLORREF ControlFactory::Colour(ColourRole role, std::optional<Rgb> design) const
{
    return ToColorref(ColourFor(role, design, m_scheme));
}

void ControlFactory::CreateControls(HWND parent, UINT dpi, const ControlResources& resources) const
{
    for (const ControlDef* def : CreationOrder(m_layout))
    {
        const HWND control = CreateControl(parent, *def, dpi);
        GiveResources(control, *def, resources, FALSE);
        if (def->kind == ControlKind::TextBox)
            ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no limit but the system's
    }
}

void ControlFactory::ApplyDpi(HWND parent, UINT dpi, const ControlResources& resources) const
{
    for (const ControlDef& def : m_layout)
    {
        const HWND control = ::GetDlgItem(parent, def.id);
        const RECT rect = ControlRect(def, dpi);
        ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        GiveResources(control, def, resources, TRUE);
    }
}

LRESULT ControlFactory::ColourStatic(HDC dc, HWND control) const
{
    const ControlDef* def = Find(::GetDlgCtrlID(control));
    ::SetBkColor(dc, Colour(ColourRole::WindowBackground, m_background));
    ::SetTextColor(dc, Colour(ColourRole::LabelText, def ? def->traits.textColour : std::nullopt));
    return reinterpret_cast<LRESULT>(m_backgroundBrush.get());
}

LRESULT ControlFactory::CustomDraw(const NMHDR& header) const
{
    const ControlDef* def = Find(static_cast<int>(header.idFrom));
    if (header.code != NM_CUSTOMDRAW || !def || !def->traits.faceColour)
        return CDRF_DODEFAULT;
    return DrawColouredButton(reinterpret_cast<const NMCUSTOMDRAW&>(header),
                              Colour(ColourRole::ButtonFace, def->traits.faceColour),
                              Colour(ColourRole::ButtonText, std::nullopt));
}

int ControlFactory::DefaultButtonId() const
{
    const auto found = std::ranges::find_if(m_layout, [](const ControlDef& def) { return def.traits.isDefault; });
    return found == m_layout.end() ? 0 : found->id;
}

const ControlDef* ControlFactory::Find(int id) const
{
    const auto found = std::ranges::find(m_layout, id, &ControlDef::id);
    return found == m_layout.end() ? nullptr : &*found;
}

} // namespace velmora::ui
