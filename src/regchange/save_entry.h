#pragma once

#include "common/registry_root.h"
#include "common/runtime_failure.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

/// The five field texts of one save, exactly as typed.
struct SaveFields
{
    std::string location;
    std::string application;
    std::string section;
    std::string key;
    std::string value;
};

/// What one save writes: the application path for the settings store and the two lines of the
/// registration file, or the reason the save is refused before anything is written.
struct SaveEntry
{
    std::string appPath;
    std::string keyPath;                           // empty when location, application name and section are all blank
    std::string valueLine;                         // empty when the key or the value is blank
    RegistryRoot root = RegistryRoot::CurrentUser; // the key path's root, and the path below it
    std::string keyBelowRoot;
    std::optional<RuntimeFailure> refusal;
};

/// Composes the entry and decides whether it may be written. Refused with 380: a field holding a
/// line break or NUL, a key path that regedit would read as "delete", a key path that does not
/// begin with a registry root; with 1113: a character that canEncode says the file cannot hold.
SaveEntry ComposeSaveEntry(const SaveFields& fields, const std::function<bool(std::string_view)>& canEncode);

} // namespace velmora
