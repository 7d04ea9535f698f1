#include "regchange/save_entry.h"

#include "regchange/entry_composition.h"
#include "common/registry_root.h"

#include <array>
#include <utility>

namespace velmora
{
namespace
{

RuntimeFailure Refusal(std::string_view field, std::string_view reason)
{
    return RuntimeFailure(kErrInvalidPropertyValue, "Invalid property value: the " + std::string(field) + " " +
                                                        std::string(reason) + "; nothing was written");
}

std::optional<RuntimeFailure> LineBreakRefusal(const SaveFields& fields)
{
    const std::array<std::pair<std::string_view, std::string_view>, 5> named = {{
        {"location", fields.location},
        {"application name", fields.application},
        {"section", fields.section},
        {"key", fields.key},
        {"value", fields.value},
    }};
    for (const auto& [field, text] : named)
    {
        if (text.find('\0') != std::string_view::npos)
            return Refusal(field, "holds a NUL character, which a registration file cannot carry");
        if (HoldsLineBreak(text))
            return Refusal(field, "holds a line break, which a registration file cannot carry");
    }
    return std::nullopt;
}

// The field that supplied the key path's first piece: the first of the three that is not blank.
std::string_view FirstKeyField(const SaveFields& fields)
{
    if (!IsBlank(fields.location))
        return "location";
    return IsBlank(fields.application) ? "section" : "application name";
}

// Splits the key path into its root and the path below it, or refuses it.
std::optional<RuntimeFailure> SplitKeyPath(const SaveFields& fields, SaveEntry& entry)
{
    // In a registration file "[-key]" deletes the key and everything below it.
    if (entry.keyPath.starts_with("[-"))
        return Refusal(FirstKeyField(fields), "begins with '-', which would make the registry editor delete the key");
    const std::string_view inside = std::string_view(entry.keyPath).substr(1, entry.keyPath.size() - 2);
    const std::size_t rootEnd = inside.find('\\');
    const std::optional<RegistryRoot> root = ParseRegistryRoot(inside.substr(0, rootEnd));
    if (!root)
        return Refusal(FirstKeyField(fields), "must begin with a registry root such as HKEY_CURRENT_USER");
    entry.root = *root;
    entry.keyBelowRoot = rootEnd == std::string_view::npos ? std::string() : std::string(inside.substr(rootEnd + 1));
    return std::nullopt;
}

} // namespace

SaveEntry ComposeSaveEntry(const SaveFields& fields, const std::function<bool(std::string_view)>& canEncode)
{
    SaveEntry entry;
    entry.refusal = LineBreakRefusal(fields);
    if (entry.refusal)
        return entry;
    entry.appPath = ComposeAppPath(fields.location, fields.application);
    entry.keyPath = ComposeKeyPath(entry.appPath, fields.section);
    entry.valueLine = ComposeValueLine(entry.keyPath, fields.key, fields.value);
    if (entry.keyPath.empty())
        return entry;
    entry.refusal = SplitKeyPath(fields, entry);
    if (!entry.refusal && (!canEncode(entry.keyPath) || !canEncode(entry.valueLine)))
        entry.refusal =
            RuntimeFailure(kErrNoCodePageMapping, StandardDescription(kErrNoCodePageMapping) + "; nothing was written");
    return entry;
}

} // namespace velmora
