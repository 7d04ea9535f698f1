#pragma once

#include "regchange/settings_store.h"

#include <string>

namespace velmora::win32
{

/// Keeps each setting under HKEY_CURRENT_USER\Software\Velmora\Settings\<application>\<section>
/// as a string value named after the key; the application's backslashes make subkeys.
class Win32SettingsStore : public SettingsStore
{
public:
    explicit Win32SettingsStore(std::wstring rootBelowCurrentUser = LR"(Software\Velmora\Settings)");

    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view setting) override;

private:
    std::wstring m_root;
};

} // namespace velmora::win32
