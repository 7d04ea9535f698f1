#pragma once

#include "app/resource.h"
#include "about/about_commands.h"
#include "shell/desktop_win32.h"
#include "win32/unique_handle.h"
#include "ui/window_host.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace velmora::win32
{

class MainWindow;
class AboutWindow;

/// The program's windows and its message loop; it ends when its last window has closed.
class Application : public AboutHost, public ui::WindowHost
{
public:
    explicit Application(HINSTANCE instance);
    ~Application();

    int Run(int showCommand);

    [[nodiscard]] HINSTANCE Instance() const override { return m_instance; }
    [[nodiscard]] int IconId() const override { return IDI_VELMORA; }
    void WindowOpened(HWND window) override;
    void WindowClosed(HWND window) override;
    void ReportFault(std::exception_ptr fault) noexcept override;

    [[nodiscard]] bool IsAboutOpen() const override;
    void CreateAbout() override;
    void ShowAbout() override;

private:
    bool RoutesToDialogManager(MSG& message);

    HINSTANCE m_instance;
    Win32Desktop m_desktop;
    std::vector<HWND> m_openWindows;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<AboutWindow> m_aboutWindow;
    UniqueHwnd m_hiddenOwner; // owner of the About dialog, never shown
};

} // namespace velmora::win32
