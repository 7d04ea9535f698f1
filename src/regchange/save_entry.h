#pragma once

#include "registry/registry_root.h"
#include "common/runtime_failure.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

/// The five fields of the main window.
enum class Field
{
    Location,    // txtLoc(0)
    Application, // txtLoc(1)
    Section,     // txtLoc(2)
    Key,         // txtLoc(3)
    Value,       // txtSelectFile
};

inline constexpr std::array kAllFields = {Field::Location, Field::Application, Field::Section, Field::Key,
                                          Field::Value};

/// The name a message gives the field, such as "application name".
std::string_view FieldName(Field field);

/// The five field texts of one save, exactly as typed.
struct SaveFields
{
    std::string location;
    std::string application;
    std::string section;
    std::string key;
    std::string value;

    [[nodiscard]] const std::string& Text(Field field) const;
};

/// The registry's limits on names, in UTF-16 code units.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

/// What one save writes: the application path for the settings store and the two lines of the
/// registration file, or the reason the save is refused before anything is written.
struct SaveEntry
{
    std::string appPath;
    std::optional<RegistryKeyPath> key; // none when location, application name and section are all blank
    std::string keyLine;
    std::string valueLine; // empty when the key or the value is blank
    std::optional<RuntimeFailure> refusal;
};

/// Checks the fields, then composes the entry. Refused with 380: a field holding a line break or
/// NUL, a key path that regedit would read as "delete", a key path that does not begin with a
/// registry root, a name beyond the registry's limits; with 1113: a character that canEncode says
/// the file cannot hold.
SaveEntry ComposeSaveEntry(const SaveFields& fields, const std::function<bool(std::string_view)>& canEncode);

} // namespace velmora
