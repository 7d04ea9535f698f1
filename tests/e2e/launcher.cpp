// A launcher, as a .reg association may name one: it has the registry editor open the file it is
// given, and ends at once. A window program, as launchers are: a console one gets a console that
// takes the desktop's activation from the program under test.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR file, int)
{
    wchar_t windows[MAX_PATH] = L"";
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(windows) + L"\\regedit.exe\" " + file;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 1;
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return 0;
}
