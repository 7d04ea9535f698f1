#pragma once

#include <string_view>

namespace velmora
{

/// The per-user store that outlives the program: one string per application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    /// Replaces or creates the setting; an application or section that IsUsableSettingsName
    /// refuses fails with 5.
    virtual void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                             std::string_view setting) = 0;
};

/// False for an application or section name that would address another key than the one meant:
/// empty, or with an empty path component (a doubled, leading or trailing backslash).
[[nodiscard]] bool IsUsableSettingsName(std::string_view name);

} // namespace velmora
