#include "app/application_win32.h"
#include "shell/error_trap.h"
#include "shell/desktop_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>

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
        velmora::win32::Win32Desktop desktop; // nothing of the application is left to show it
        velmora::ShowFault(desktop, std::current_exception());
    }
    return exitCode;
}
