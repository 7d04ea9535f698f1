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

/// A key path split at its root: the root, its name as a registration file writes it (a full name
/// as typed, an abbreviation such as HKCU written out in full) and the path below it.
struct RegistryKeyPath
{
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string rootName;
    std::string afterRoot; // the rest as typed: empty, or a backslash and the path below the root

    [[nodiscard]] std::string_view BelowRoot() const
    {
        return afterRoot.empty() ? std::string_view() : std::string_view(afterRoot).substr(1);
    }
};

} // namespace velmora
