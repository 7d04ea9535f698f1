#include "regchange/save_entry.h"

#include "regchange/entry_composition.h"
#include "common/text_form.h"

#include <algorithm>

namespace velmora
{
namespace
{

RuntimeFailure Refusal(Field field, std::string_view reason)
{
    return NothingWritten(kErrInvalidPropertyValue, "the " + std::string(FieldName(field)) + " " + std::string(reason));
}

// One field of the key path, trimmed: location, application name or section.
struct KeyPiece
{
    Field field;
    std::string_view text;
};

// The registry refuses a longer key name; regedit would then set nothing and say nothing.
bool HoldsLongKeyName(std::string_view piece)
{
    while (!piece.empty())
    {
        const std::size_t end = std::min(piece.find('\\'), piece.size());
        if (Utf16Length(piece.substr(0, end)) > kMaxKeyNameLength)
            return true;
        piece.remove_prefix(std::min(end + 1, piece.size()));
    }
    return false;
}

// The key's checks in the order their messages come. The root is parsed once, from the first piece
// that is not blank, and the key is that root and the joined path after it.
std::optional<RuntimeFailure> KeyRefusal(const std::array<KeyPiece, 3>& pieces, std::string_view keyPath,
                                         std::optional<RegistryKeyPath>& key)
{
    const KeyPiece& first = *std::ranges::find_if(pieces, [](const KeyPiece& piece) { return !piece.text.empty(); });
    // In a registration file "[-key]" deletes the key and everything below it.
    if (first.text.starts_with('-'))
        return Refusal(first.field, "begins with '-', which would make the registry editor delete the key");
    const std::string_view typedRoot = first.text.substr(0, first.text.find('\\'));
    const std::optional<RegistryRoot> root = ParseRegistryRoot(typedRoot);
    if (!root)
        return Refusal(first.field, "must begin with a registry root such as HKEY_CURRENT_USER");
    // Users type HKCU; the registry editor knows only HKEY_CURRENT_USER. A full name stays as typed.
    const bool abbreviated = typedRoot.size() < RegistryRootName(*root).size();
    key = RegistryKeyPath{*root, std::string(abbreviated ? RegistryRootName(*root) : typedRoot),
                          std::string(keyPath.substr(typedRoot.size()))};
    if (key->BelowRoot().starts_with('\\'))
        return Refusal(first.field, "has a backslash right after the registry root, which names a key without a name");
    for (const KeyPiece& piece : pieces)
    {
        if (HoldsLongKeyName(piece.text))
            return Refusal(piece.field, "holds a key name longer than " + std::to_string(kMaxKeyNameLength) +
                                            " characters, the registry's limit");
    }
    return std::nullopt;
}

} // namespace

std::string_view FieldName(Field field)
{
    switch (field)
    {
    case Field::Location:
        return "location";
    case Field::Application:
        return "application name";
    case Field::Section:
        return "section";
    case Field::Key:
        return "key";
    case Field::Value:
        return "value";
    }
    return {};
}

const std::string& SaveFields::Text(Field field) const
{
    switch (field)
    {
    case Field::Location:
        return location;
    case Field::Application:
        return application;
    case Field::Section:
        return section;
    case Field::Key:
        return key;
    case Field::Value:
        break;
    }
    return value;
}

SaveEntry ComposeSaveEntry(const SaveFields& fields, const std::function<bool(std::string_view)>& canEncode)
{
    SaveEntry entry;
    for (const Field field : kAllFields)
    {
        if (HoldsLineBreak(fields.Text(field)))
        {
            entry.refusal =
                Refusal(field, "holds a line break or a NUL character, which a registration file cannot carry");
            return entry;
        }
    }
    // The key path's fields are trimmed here, once; the key and the value where their line is composed.
    const std::array<KeyPiece, 3> pieces = {KeyPiece{Field::Location, TrimSpaces(fields.location)},
                                            KeyPiece{Field::Application, TrimSpaces(fields.application)},
                                            KeyPiece{Field::Section, TrimSpaces(fields.section)}};
    entry.appPath = ComposeAppPath(pieces[0].text, pieces[1].text);
    const std::string keyPath = ComposeKeyPath(entry.appPath, pieces[2].text);
    if (keyPath.empty())
        return entry;
    entry.refusal = KeyRefusal(pieces, keyPath, entry.key);
    if (!entry.refusal && Utf16Length(fields.key) > kMaxValueNameLength)
        entry.refusal = Refusal(Field::Key, "is longer than " + std::to_string(kMaxValueNameLength) +
                                                " characters, the registry's limit for a value name");
    if (entry.refusal)
        return entry;
    entry.keyLine = ComposeKeyLine(*entry.key);
    entry.valueLine = ComposeValueLine(fields.key, fields.value);
    if (!canEncode(entry.keyLine) || !canEncode(entry.valueLine))
        entry.refusal = NothingWritten(kErrNoCodePageMapping);
    return entry;
}

} // namespace velmora
