#include "app/application_win32.h"
#include "win32/wide.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <string_view>

namespace
{

void ShowFatalError(std::string_view text) noexcept
{
    try
    {
        const std::wstring title = velmora::win32::Widen(velmora::kAppIdentity.title);
        ::MessageBoxW(nullptr, velmora::win32::Widen(text).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
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
    catch (const std::exception& failure)
    {
        ShowFatalError(failure.what());
    }
    catch (...)
    {
        ShowFatalError("Velmora stopped on an unknown error.");
    }
    return exitCode;
}
