#include "registry/registry_root.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora
{
namespace
{

struct RootNames
{
    RegistryRoot root;
    std::string_view name;
    std::string_view abbreviation;
};

constexpr std::array kRoots = {
    RootNames{RegistryRoot::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    RootNames{RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    RootNames{RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    RootNames{RegistryRoot::Users, "HKEY_USERS", "HKU"},
    RootNames{RegistryRoot::CurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
};

// The registry editor compares root names without regard to letter case, in ASCII only.
bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b,
                              [](unsigned char x, unsigned char y) { return std::toupper(x) == std::toupper(y); });
}

} // namespace

std::optional<RegistryRoot> ParseRegistryRoot(std::string_view name)
{
    for (const RootNames& names : kRoots)
    {
        if (EqualsIgnoringCase(name, names.name) || EqualsIgnoringCase(name, names.abbreviation))
            return names.root;
    }
    return std::nullopt;
}

std::string_view RegistryRootName(RegistryRoot root)
{
    return kRoots[static_cast<std::size_t>(root)].name;
}

} // namespace velmora
