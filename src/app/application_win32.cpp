#include "app/application_win32.h"

#include "app/main_window_win32.h"
#include "about/about_window_win32.h"
#include "shell/error_trap.h"
#include "win32/win32_failure.h"

#include <algorithm>

namespace velmora::win32
{

Application::Application(HINSTANCE instance) : m_instance(instance)
{
}

Application::~Application() = default;

int Application::Run(int showCommand)
{
    m_mainWindow = std::make_unique<MainWindow>(*this, *this, m_desktop);
    m_mainWindow->Create(showCommand);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        if (RoutesToDialogManager(message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // Without a window, until the registry editor has read the last saves' files.
    m_desktop.WaitForHolds();
    return static_cast<int>(message.wParam);
}

// Tab, Shift+Tab, access keys, Enter for the default button and Esc work in both windows as in
// a dialog box.
bool Application::RoutesToDialogManager(MSG& message)
{
    if (!message.hwnd)
        return false;
    const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    if (std::find(m_openWindows.begin(), m_openWindows.end(), root) == m_openWindows.end())
        return false;
    return ::IsDialogMessageW(root, &message) != FALSE;
}

void Application::WindowOpened(HWND window)
{
    m_openWindows.push_back(window);
}

void Application::WindowClosed(HWND window)
{
    std::erase(m_openWindows, window);
    if (m_openWindows.empty())
        ::PostQuitMessage(0);
}

void Application::ReportFault(std::exception_ptr fault) noexcept
{
    ShowFault(m_desktop, std::move(fault));
}

bool Application::IsAboutOpen() const
{
    return m_aboutWindow && m_aboutWindow->Window();
}

void Application::CreateAbout()
{
    if (!m_hiddenOwner)
    {
        m_hiddenOwner.reset(
            ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, m_instance, nullptr));
        if (!m_hiddenOwner)
            ThrowLastError(FailureSource::Window);
    }
    m_aboutWindow = std::make_unique<AboutWindow>(*this, m_desktop);
    m_aboutWindow->Create(m_hiddenOwner.get());
}

void Application::ShowAbout()
{
    if (IsAboutOpen())
        m_aboutWindow->ShowAndActivate();
}

} // namespace velmora::win32
