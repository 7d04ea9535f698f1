#include "regchange/save_entry.h"

#include "regchange/entry_composition.h"
#include "common/text_form.h"

namespace velmora
{
namespace
{

RuntimeFailure Refusal(Field field, std::string_view reason)
{
    return NothingWritten(kErrInvalidPropertyValue, "the " + std::string(FieldName(field)) + " " + std::string(reason));
}

// The field that supplied the key path's first piece: the first of the three that is not blank.
Field FirstKeyField(const SaveFields& fields)
{
    if (!IsBlank(fields.location))
        return Field::Location;
    return IsBlank(fields.application) ? Field::Section : Field::Application;
}

// The registry refuses a longer key name; regedit would then set nothing and say nothing.
std::optional<Field> FieldWithLongKeyName(const SaveFields& fields)
{
    for (const Field field : {Field::Location, Field::Application, Field::Section})
    {
        std::string_view rest = TrimSpaces(fields.Text(field));
        while (!rest.empty())
        {
            const std::size_t end = std::min(rest.find('\\'), rest.size());
            if (Utf16Length(rest.substr(0, end)) > kMaxKeyNameLength)
                return field;
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    return std::nullopt;
}

std::optional<RuntimeFailure> KeyPathRefusal(const SaveFields& fields, std::string_view keyPath,
                                             std::optional<RegistryKeyPath>& split)
{
    // In a registration file "[-key]" deletes the key and everything below it.
    if (keyPath.starts_with('-'))
        return Refusal(FirstKeyField(fields), "begins with '-', which would make the registry editor delete the key");
    split = SplitRegistryKeyPath(keyPath);
    if (!split)
        return Refusal(FirstKeyField(fields), "must begin with a registry root such as HKEY_CURRENT_USER");
    if (split->BelowRoot().starts_with('\\'))
        return Refusal(FirstKeyField(fields), "has a backslash right after the registry root, which names a key "
                                              "without a name");
    if (const std::optional<Field> field = FieldWithLongKeyName(fields))
        return Refusal(*field, "holds a key name longer than 255 characters, the registry's limit");
    if (Utf16Length(fields.key) > kMaxValueNameLength)
        return Refusal(Field::Key, "is longer than 16383 characters, the registry's limit for a value name");
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
            entry.refusal = LineBreakRefusal("the " + std::string(FieldName(field)));
            return entry;
        }
    }
    entry.appPath = ComposeAppPath(fields.location, fields.application);
    const std::string keyPath = ComposeKeyPath(entry.appPath, fields.section);
    if (keyPath.empty())
        return entry;
    entry.refusal = KeyPathRefusal(fields, keyPath, entry.key);
    if (entry.refusal)
        return entry;
    entry.keyLine = ComposeKeyLine(*entry.key);
    entry.valueLine = ComposeValueLine(fields.key, fields.value);
    if (!canEncode(entry.keyLine) || !canEncode(entry.valueLine))
        entry.refusal = NothingWritten(kErrNoCodePageMapping);
    return entry;
}

} // namespace velmora
