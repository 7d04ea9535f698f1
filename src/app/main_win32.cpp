#include "app/application_win32.h"

#include <windows.h>
#include <commctrl.h>

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
    catch (const std::exception& failure)
    {
        ::MessageBoxA(nullptr, failure.what(), VELMORA_TITLE, MB_OK | MB_ICONERROR);
    }
    return exitCode;
}
