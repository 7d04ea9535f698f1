#pragma once

// A reader of registration files that follows the registry editor's rules, and what it must read
// back from the file of one save: shared by the unit tests and the fuzz target.
#include "regchange/entry_composition.h"
#include "regchange/reg_file.h"
#include "regchange/save_entry.h"
#include "registry/registry_root.h"
#include "common/text_form.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::testing_support
{

struct ReadEntry
{
    std::string keyPath; // inside the brackets
    std::optional<std::string> name;
    std::optional<std::string> value;
    friend bool operator==(const ReadEntry&, const ReadEntry&) = default;
};

// A quoted string from its opening quote on: \\ reads as \ and \" as "; any other escape is one
// that regedit would act on (\n, \0), so it counts as unreadable here.
inline std::optional<std::string> ReadQuoted(std::string_view& line)
{
    if (line.empty() || line.front() != '"')
        return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < line.size(); ++i)
    {
        if (line[i] == '"')
        {
            line.remove_prefix(i + 1);
            return text;
        }
        if (line[i] == '\\')
        {
            if (++i == line.size() || (line[i] != '\\' && line[i] != '"'))
                return std::nullopt;
        }
        text += line[i];
    }
    return std::nullopt;
}

/// The key and value that the registry editor reads from the four lines of a file, or nothing
/// when they are not of the expected shape.
inline std::optional<ReadEntry> ReadRegFile(const std::array<std::string, 4>& lines)
{
    if (lines[0] != "REGEDIT4" || !lines[1].empty())
        return std::nullopt;
    for (const std::string& line : lines)
    {
        if (HoldsLineBreak(line))
            return std::nullopt;
    }
    const std::string_view key = lines[2];
    if (key.size() < 2 || key.front() != '[' || key.back() != ']' || key[1] == '-')
        return std::nullopt;
    ReadEntry entry{std::string(key.substr(1, key.size() - 2)), std::nullopt, std::nullopt};
    std::string_view valueLine = lines[3];
    if (valueLine.empty())
        return entry;
    entry.name = ReadQuoted(valueLine);
    if (!entry.name || !valueLine.starts_with('='))
        return std::nullopt;
    valueLine.remove_prefix(1);
    entry.value = ReadQuoted(valueLine);
    if (!entry.value || !valueLine.empty())
        return std::nullopt;
    return entry;
}

/// The value as the registry should store it: trimmed, every run of backslashes one backslash,
/// except that a leading run before more text (a UNC path) stays two.
inline std::string StoredValue(std::string_view typed)
{
    const std::string_view value = TrimSpaces(typed);
    std::string stored;
    std::size_t i = 0;
    const std::size_t leading = value.find_first_not_of('\\');
    if (leading != std::string_view::npos && leading >= 2)
    {
        stored = R"(\\)";
        i = leading;
    }
    while (i < value.size())
    {
        stored += value[i];
        if (value[i++] == '\\')
        {
            while (i < value.size() && value[i] == '\\')
                ++i;
        }
    }
    return stored;
}

/// What the registry editor must read from the file of a save of these fields; nothing when the
/// save must be refused (a line break or NUL anywhere, a key path without a registry root, a name
/// beyond the registry's limits).
/// A key path of "" means no file at all.
inline std::optional<ReadEntry> ExpectedEntry(const SaveFields& fields)
{
    for (const std::string* text : {&fields.location, &fields.application, &fields.section, &fields.key, &fields.value})
    {
        if (HoldsLineBreak(*text))
            return std::nullopt;
    }
    ReadEntry entry;
    for (const std::string* piece : {&fields.location, &fields.application, &fields.section})
    {
        if (IsBlank(*piece))
            continue;
        if (!entry.keyPath.empty())
            entry.keyPath += '\\';
        entry.keyPath += TrimSpaces(*piece);
    }
    if (entry.keyPath.empty())
        return entry;
    const std::string_view first = std::string_view(entry.keyPath).substr(0, entry.keyPath.find('\\'));
    const std::optional<RegistryRoot> root = ParseRegistryRoot(first);
    if (!root)
        return std::nullopt;
    // A key with an empty name or one longer than the registry allows, and a value name likewise.
    if (std::string_view(entry.keyPath).substr(first.size()).starts_with(R"(\\)") ||
        Utf16Length(fields.key) > kMaxValueNameLength)
        return std::nullopt;
    for (std::string_view rest = entry.keyPath; !rest.empty();)
    {
        const std::size_t end = std::min(rest.find('\\'), rest.size());
        if (Utf16Length(rest.substr(0, end)) > kMaxKeyNameLength)
            return std::nullopt;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    if (first.size() <= 4) // an abbreviation; a full name stays as typed
        entry.keyPath.replace(0, first.size(), RegistryRootName(*root));
    if (!IsBlank(fields.key) && !IsBlank(fields.value))
    {
        entry.name = fields.key;
        entry.value = StoredValue(fields.value);
    }
    return entry;
}

/// What is wrong with the outcome of a save of these fields, or "" when it is one of the two
/// allowed: refused with 380 exactly when it must be, or a file of four lines that the registry
/// editor reads back as the key path, value name and value typed (or no file when there is no key).
inline std::string SaveOutcomeFault(const SaveFields& fields, const SaveEntry& entry)
{
    const std::optional<ReadEntry> expected = ExpectedEntry(fields);
    if (entry.refusal || !expected)
        return entry.refusal && !expected && entry.refusal->Number() == kErrInvalidPropertyValue ? "" : "wrong refusal";
    if (!entry.key || expected->keyPath.empty())
        return !entry.key && expected->keyPath.empty() ? "" : "wrong key path";
    const auto lines = RegFileLines(entry.keyLine, entry.valueLine);
    if (ReadRegFile(lines) == expected)
        return "";
    std::string shown = "reads back otherwise:";
    for (const std::string& line : lines)
        shown += " [" + line + "]";
    return shown;
}

/// The property every save holds, whatever the five fields hold: the composition functions, called
/// straight as any future caller might, never put a line break into a line (or refuse with 380),
/// and the save is refused exactly when it must be or reads back as typed. "" when it holds.
inline std::string SavePropertyFault(const SaveFields& fields)
{
    try
    {
        const std::string keyPath = ComposeKeyPath(ComposeAppPath(fields.location, fields.application), fields.section);
        const std::string keyLine = ComposeKeyLine({RegistryRoot::CurrentUser, fields.key, fields.value});
        if (HoldsLineBreak(keyPath) || HoldsLineBreak(keyLine) ||
            HoldsLineBreak(ComposeValueLine(fields.key, fields.value)))
            return "a composed line holds a line break";
    }
    catch (const RuntimeFailure& failure)
    {
        if (failure.Number() != kErrInvalidPropertyValue)
            return "the composition failed with " + std::to_string(failure.Number());
    }
    return SaveOutcomeFault(fields, ComposeSaveEntry(fields, [](std::string_view) { return true; }));
}

} // namespace velmora::testing_support
