#include "app/application_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // The shell may hand requests to COM components that need an apartment on this thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
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
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return exitCode;
}
