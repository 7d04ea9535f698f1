#pragma once

#include "about/about_commands.h"
#include "about/about_layout.h"
#include "about/sysinfo_win32.h"
#include "ui/window_base.h"
#include "ui/window_text.h"
#include "ui/window_host.h"

#include <windows.h>

namespace velmora::win32
{

/// frmAbout: title, description, version and notice in orange on black, with OK and System Info.
class AboutWindow final : public ui::WindowThunk<AboutWindow>, public AboutView
{
public:
    AboutWindow(ui::WindowHost& host, Desktop& desktop);

    /// Creates the window and its controls and runs the load step; the window stays hidden.
    void Create(HWND hiddenOwner);
    void ShowAndActivate();

    void SetVersionText(std::string_view text) override;

private:
    [[nodiscard]] ui::WindowFrame Frame(UINT dpi) const override;
    [[nodiscard]] ui::WindowFonts CreateFonts(UINT dpi) const override;
    void OnDpiApplied() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FitVersionLabel();
    void OnPaint();

    Desktop& m_desktop;
    Win32RegistryReader m_registry;
    Win32ProgramLauncher m_launcher;
};

} // namespace velmora::win32
