#pragma once

#include "about/about_commands.h"
#include "about/about_layout.h"
#include "about/sysinfo_win32.h"
#include "win32/control_factory.h"
#include "win32/dialog_behaviour.h"
#include "win32/dpi.h"
#include "win32/unique_handle.h"
#include "win32/window_base.h"
#include "win32/window_host.h"

#include <windows.h>

namespace velmora::win32
{

/// frmAbout: title, description, version and notice in orange on black, with OK and System Info.
class AboutWindow final : public WindowBase<AboutWindow>, public AboutView
{
public:
    explicit AboutWindow(WindowHost& host);

    /// Creates the window and its controls and runs the load step; the window stays hidden.
    void Create(HWND hiddenOwner);
    void ShowAndActivate();

    void SetVersionText(std::string_view text) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void ApplyDpi(UINT dpi);
    void FitVersionLabel();
    void OnPaint();

    WindowHost& m_host;
    Win32RegistryReader m_registry;
    Win32ProgramLauncher m_launcher;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    UniqueHfont m_font;
    UniqueHfont m_titleFont;
    WindowIcons m_icons;
    ControlFactory m_controls;
    DialogBehaviour m_dialog{m_controls.DefaultButtonId()};
};

} // namespace velmora::win32
