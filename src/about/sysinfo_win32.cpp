#include "about/sysinfo_win32.h"

#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

namespace velmora::win32
{

bool Win32ProgramLauncher::FileExists(std::string_view path)
{
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    constexpr DWORD kNotAnOrdinaryFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotAnOrdinaryFile) == 0;
}

void Win32ProgramLauncher::StartProgram(std::string_view path, int windowMode)
{
    // The path is the program's name as a whole: an unquoted command line would be split at its
    // first space and could start C:\Program.exe instead.
    const std::wstring program = Widen(path);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowMode);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        ThrowLastError(FailureSource::File);
    // Started, not tracked.
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
}

} // namespace velmora::win32
