#include "about/sysinfo_win32.h"

#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <cstring>
#include <vector>

namespace velmora::win32
{
namespace
{

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

class Win32RegistryKey : public RegistryKey
{
public:
    explicit Win32RegistryKey(UniqueHkey key) : m_key(std::move(key)) {}

    RegistryRead QueryValue(std::string_view valueName, std::size_t bufferSize) override
    {
        std::vector<BYTE> buffer(bufferSize, 0);
        DWORD type = 0;
        auto size = static_cast<DWORD>(buffer.size());
        const LSTATUS status =
            ::RegQueryValueExW(m_key.get(), Widen(valueName).c_str(), nullptr, &type, buffer.data(), &size);
        if (status != ERROR_SUCCESS)
            return {static_cast<std::int32_t>(status), 0, {}};
        if (!IsTextType(type))
            return {0, type, std::string(reinterpret_cast<const char*>(buffer.data()), size)};
        // UTF-16 code units, zeros included, become UTF-8: a stored terminating zero stays one zero.
        std::wstring units(size / sizeof(wchar_t), L'\0');
        std::memcpy(units.data(), buffer.data(), units.size() * sizeof(wchar_t));
        return {0, type, Narrow(units)};
    }

private:
    UniqueHkey m_key;
};

} // namespace

std::unique_ptr<RegistryKey> Win32RegistryReader::OpenKey(std::uint32_t root, std::string_view path,
                                                          std::uint32_t access)
{
    UniqueHkey key;
    const HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    if (::RegOpenKeyExW(rootKey, Widen(path).c_str(), 0, access, key.put()) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

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
