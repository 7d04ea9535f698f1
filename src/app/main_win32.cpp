#include "app/application_win32.h"
#include "shell/error_trap.h"
#include "shell/desktop_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <exception>

// libstdc++'s default terminate handler prints the uncaught exception's type name to stderr, which a
// window program does not have, and for that pulls the C++ name demangler and a printf into the
// static program: about 58 KB of velmora.exe's 300 KiB budget. Defining the handler here keeps those
// out of the link; std::terminate still ends the program, only without the text nobody could read.
#ifdef __GLIBCXX__
namespace __gnu_cxx
{
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
#endif

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
