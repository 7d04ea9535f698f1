#pragma once

// A reader of registration files that follows the registry editor's rules, and what it must read
// back from the file of one save: shared by the unit tests and the fuzz target. The rules are
// written here again, in their own words, so that a fault of the product's is not shared.
#include "regchange/reg_file.h"
#include "regchange/save_entry.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::testing_support
{

// CR and LF end a line of the file; a NUL ends the text.
inline bool BreaksLine(std::string_view text)
{
    return std::ranges::any_of(text, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

// Without the spaces (U+0020 only) at either end.
inline std::string_view WithoutOuterSpaces(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// UTF-16 code units, what the registry's limits count: one for each character, two for one beyond
// U+FFFF (a lead byte from 0xF0 on); a byte 10xxxxxx only continues a character.
inline std::size_t CodeUnits(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8)
        units += (c & 0xC0) == 0x80 ? 0 : static_cast<unsigned char>(c) >= 0xF0 ? 2 : 1;
    return units;
}

// The full name of the root that the registry editor reads in a key path's first piece, in any
// letter case; nothing for any other piece.
inline std::optional<std::string> FullRootName(std::string_view piece)
{
    constexpr std::pair<std::string_view, std::string_view> kRoots[] = {{"HKEY_CLASSES_ROOT", "HKCR"},
                                                                        {"HKEY_CURRENT_USER", "HKCU"},
                                                                        {"HKEY_LOCAL_MACHINE", "HKLM"},
                                                                        {"HKEY_USERS", "HKU"},
                                                                        {"HKEY_CURRENT_CONFIG", "HKCC"}};
    std::string upper(piece);
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const auto& [full, abbreviation] : kRoots)
    {
        if (upper == full || upper == abbreviation)
            return std::string(full);
    }
    return std::nullopt;
}

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
    if (!line.starts_with('"'))
        return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < line.size(); ++i)
    {
        if (line[i] == '"')
        {
            line.remove_prefix(i + 1);
            return text;
        }
        if (line[i] == '\\' && (++i == line.size() || (line[i] != '\\' && line[i] != '"')))
            return std::nullopt;
        text += line[i];
    }
    return std::nullopt;
}

/// The key and value that the registry editor reads from the four lines of a file, or nothing
/// when they are not of the expected shape.
inline std::optional<ReadEntry> ReadRegFile(const std::array<std::string, 4>& lines)
{
    const std::string_view key = lines[2];
    if (lines[0] != "REGEDIT4" || !lines[1].empty() || std::ranges::any_of(lines, BreaksLine) || key.size() < 2 ||
        key.front() != '[' || key.back() != ']' || key[1] == '-')
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
    const std::string_view value = WithoutOuterSpaces(typed);
    std::string stored;
    for (std::size_t i = 0; i < value.size(); ++i)
    {
        if (value[i] != '\\' || i == 0 || value[i - 1] != '\\')
            stored += value[i];
    }
    const std::size_t leading = value.find_first_not_of('\\');
    return leading >= 2 && leading != std::string_view::npos ? "\\" + stored : stored;
}

/// What the registry editor must read from the file of a save of these fields; nothing when the
/// save must be refused (a line break or NUL anywhere, a key path without a registry root, a name
/// beyond the registry's limits). A key path of "" means no file at all.
inline std::optional<ReadEntry> ExpectedEntry(const SaveFields& fields)
{
    const std::array<std::string_view, 5> typed = {fields.location, fields.application, fields.section, fields.key,
                                                   fields.value};
    if (std::ranges::any_of(typed, BreaksLine))
        return std::nullopt;
    ReadEntry entry;
    for (std::size_t i = 0; i < 3; ++i)
    {
        const std::string_view piece = WithoutOuterSpaces(typed[i]);
        if (!piece.empty())
            entry.keyPath += (entry.keyPath.empty() ? "" : "\\") + std::string(piece);
    }
    if (entry.keyPath.empty())
        return entry;
    const std::size_t rootEnd = std::min(entry.keyPath.find('\\'), entry.keyPath.size());
    const std::optional<std::string> root = FullRootName(entry.keyPath.substr(0, rootEnd));
    // The registry holds no key with an empty name, none longer than 255 units, and no value name
    // longer than 16383.
    if (!root || entry.keyPath.compare(rootEnd, 2, R"(\\)") == 0 || CodeUnits(fields.key) > 16383)
        return std::nullopt;
    for (std::string_view rest = entry.keyPath; !rest.empty();)
    {
        const std::size_t end = std::min(rest.find('\\'), rest.size());
        if (CodeUnits(rest.substr(0, end)) > 255)
            return std::nullopt;
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    if (rootEnd <= 4) // an abbreviation; a full name stays as typed
        entry.keyPath.replace(0, rootEnd, *root);
    if (!WithoutOuterSpaces(fields.key).empty() && !WithoutOuterSpaces(fields.value).empty())
    {
        entry.name = fields.key;
        entry.value = StoredValue(fields.value);
    }
    return entry;
}

/// What is wrong with the save of these fields, whatever they hold, or "" when its outcome is one
/// of the two allowed: refused with 380 exactly when it must be, or a file of four lines that the
/// registry editor reads back as the key path, value name and value typed (or no file when there is
/// no key).
inline std::string SavePropertyFault(const SaveFields& fields)
{
    const SaveEntry entry = ComposeSaveEntry(fields, [](std::string_view) { return true; });
    const std::optional<ReadEntry> expected = ExpectedEntry(fields);
    if (entry.refusal || !expected)
        return entry.refusal && !expected && entry.refusal->Number() == kErrInvalidPropertyValue ? "" : "wrong refusal";
    if (!entry.key || expected->keyPath.empty())
        return !entry.key && expected->keyPath.empty() ? "" : "wrong key path";
    const auto lines = RegFileLines(entry.keyLine, entry.valueLine);
    return ReadRegFile(lines) == expected ? "" : "reads back otherwise: [" + lines[2] + "] [" + lines[3] + "]";
}

} // namespace velmora::testing_support
