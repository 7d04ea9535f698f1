#include "registry/registry_reader_win32.h"

#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <cstring>
#include <vector>

namespace velmora::win32
{
namespace
{

HKEY RootKey(RegistryRoot root)
{
    switch (root)
    {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
        return HKEY_USERS;
    case RegistryRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    }
    return nullptr;
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

std::unique_ptr<RegistryKey> Win32RegistryReader::OpenKey(RegistryRoot root, std::string_view path)
{
    UniqueHkey key;
    if (::RegOpenKeyExW(RootKey(root), Widen(path).c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

std::optional<RegistryValue> Win32RegistryReader::ReadValue(RegistryRoot root, std::string_view keyPath,
                                                            std::string_view valueName)
{
    UniqueHkey key;
    LSTATUS status = ::RegOpenKeyExW(RootKey(root), Widen(keyPath).c_str(), 0, KEY_QUERY_VALUE, key.put());
    if (status == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    if (status != ERROR_SUCCESS)
        throw FailureFromWin32(static_cast<DWORD>(status), FailureSource::Registry);

    const std::wstring name = Widen(valueName);
    RegistryValue value;
    DWORD size = 0;
    // The value may grow between the two calls: ask again with the size the registry reports.
    for (;;)
    {
        DWORD type = 0;
        status = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        if (status == ERROR_SUCCESS && size <= value.bytes.size())
        {
            value.type = type;
            value.bytes.resize(size);
            return value;
        }
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            throw FailureFromWin32(static_cast<DWORD>(status), FailureSource::Registry);
        value.bytes.resize(size);
    }
}

} // namespace velmora::win32
