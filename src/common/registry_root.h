#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

/// The registry's predefined keys that a registration file may name at the start of a key path.
enum class RegistryRoot
{
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
};

/// The root a key path's first piece names, in any letter case, in full or abbreviated (HKCU).
std::optional<RegistryRoot> ParseRegistryRoot(std::string_view name);

/// The full name the registry editor accepts, such as "HKEY_CURRENT_USER".
std::string_view RegistryRootName(RegistryRoot root);

/// The path with a first piece that abbreviates a root (HKCU, hklm...) written out in full;
/// any other path comes back unchanged.
std::string ExpandRootAbbreviation(std::string_view path);

} // namespace velmora
