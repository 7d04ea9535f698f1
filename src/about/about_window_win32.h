#pragma once

#include "about/about_commands.h"
#include "about/about_layout.h"
#include "about/sysinfo_win32.h"
#include "win32/dialog_behaviour.h"
#include "win32/unique_handle.h"
#include "win32/window_base.h"

#include <windows.h>

namespace velmora::win32
{

class Application;

/// frmAbout: title, description, version and notice in orange on black, with OK and System Info.
class AboutWindow final : public WindowBase<AboutWindow>, public AboutView
{
public:
    explicit AboutWindow(Application& application);

    /// Creates the window and its controls and runs the load step; the window stays hidden.
    void Create(HWND hiddenOwner);
    void ShowAndActivate();

    void SetVersionText(std::string_view text) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void CreateControls();
    void FitVersionLabel();
    void OnPaint();

    Application& m_application;
    Win32RegistryReader m_registry;
    Win32ProgramLauncher m_launcher;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    UniqueHfont m_font;
    UniqueHfont m_titleFont;
    UniqueHbrush m_backgroundBrush;
    HICON m_icon = nullptr; // shared resource icon, never destroyed
    DialogBehaviour m_dialog{kIdCmdOk};
};

} // namespace velmora::win32
