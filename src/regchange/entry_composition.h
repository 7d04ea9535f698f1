#pragma once

// The composition joins pieces that ComposeSaveEntry has run through HoldsLineBreak, once, before
// anything is composed: none holds a CR, an LF or a NUL, so no line made of them is broken. The
// Compose functions check nothing again.

#include "registry/registry_root.h"

#include <string>
#include <string_view>

namespace velmora
{

/// The text without its leading and trailing U+0020 spaces; tabs and inner spaces stay.
std::string_view TrimSpaces(std::string_view text);

/// True when the text holds a CR, an LF or a NUL: none of them can stand inside a line of the file.
[[nodiscard]] bool HoldsLineBreak(std::string_view text);

/// Location and application name, trimmed already, joined by one backslash; an empty piece is left out.
std::string ComposeAppPath(std::string_view location, std::string_view applicationName);

/// The application path and the section, trimmed already, joined likewise; empty when both are empty.
std::string ComposeKeyPath(std::string_view appPath, std::string_view section);

/// "[" + root name + the path after the root + "]": the key line of a registration file.
std::string ComposeKeyLine(const RegistryKeyPath& keyPath);

/// "key"="escaped value" with the key as typed, or empty when the key or the value is blank.
std::string ComposeValueLine(std::string_view key, std::string_view value);

/// Trims the value and writes every run of backslashes as two (a leading UNC run as four);
/// leaves the result in its argument and returns it.
std::string& AddBackSlashToStr(std::string& value);

} // namespace velmora
