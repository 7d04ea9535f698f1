#include "app/application_win32.h"
#include "common/error_trap.h"
#include "common/desktop_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>

namespace
{

// Shown in the box a trapped failure gets.
void ShowFatalError(std::exception_ptr failure) noexcept
{
    try
    {
        velmora::win32::Win32Desktop desktop;
        desktop.ShowMessage(velmora::FailureMessage(std::move(failure)), velmora::MessageStyle::Error, std::nullopt);
    }
    catch (...)
    {
        // Not even that can be said; the exit code still tells.
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exitCode = 1;
    try
    {
        velmora::win32::Application application(instance);
        exitCode = application.Run(showCommand);
    }
    catch (...)
    {
        ShowFatalError(std::current_exception());
    }
    return exitCode;
}
