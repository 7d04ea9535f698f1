#include "regchange/settings_store_win32.h"

#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <climits>

namespace velmora::win32
{

Win32SettingsStore::Win32SettingsStore(std::wstring rootBelowCurrentUser) : m_root(std::move(rootBelowCurrentUser))
{
}

void Win32SettingsStore::SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                                     std::string_view setting)
{
    if (!IsUsableSettingsName(application) || !IsUsableSettingsName(section))
        throw RuntimeFailure(kErrInvalidArgument);

    const std::wstring path = m_root + L"\\" + Widen(application) + L"\\" + Widen(section);
    UniqueHkey hkey;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE, nullptr, hkey.put(), nullptr);
    if (status != ERROR_SUCCESS)
        throw FailureFromWin32(static_cast<DWORD>(status), FailureSource::Registry);

    const std::wstring name = Widen(key);
    const std::wstring data = Widen(setting);
    if (data.size() >= UINT_MAX / sizeof(wchar_t) - 1)
        throw RuntimeFailure(kErrInvalidArgument);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    status = ::RegSetValueExW(hkey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    if (status != ERROR_SUCCESS)
        throw FailureFromWin32(static_cast<DWORD>(status), FailureSource::Registry);
}

} // namespace velmora::win32
