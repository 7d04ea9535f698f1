#pragma once

// The composition never puts a CR, an LF or a NUL into a line: given one, it fails with 380.

#include "registry/registry_root.h"
#include "common/runtime_failure.h"

#include <string>
#include <string_view>

namespace velmora
{

/// The text without its leading and trailing U+0020 spaces; tabs and inner spaces stay.
std::string_view TrimSpaces(std::string_view text);

/// True when the text is empty or spaces only.
[[nodiscard]] bool IsBlank(std::string_view text);

/// True when the text holds a CR, an LF or a NUL: none of them can stand inside a line of the file.
[[nodiscard]] bool HoldsLineBreak(std::string_view text);

/// The 380 refusal of a text that HoldsLineBreak finds in; the subject names it ("the key").
RuntimeFailure LineBreakRefusal(std::string_view subject);

/// Location and application name, trimmed, joined by one backslash; blank pieces are left out.
std::string ComposeAppPath(std::string_view location, std::string_view applicationName);

/// The application path and the trimmed section joined by one backslash; empty when all are blank.
std::string ComposeKeyPath(std::string_view appPath, std::string_view section);

/// "[" + root name + "\" + path below the root + "]": the key line of a registration file.
std::string ComposeKeyLine(const RegistryKeyPath& keyPath);

/// "key"="escaped value", or empty when the key or the value is blank.
std::string ComposeValueLine(std::string_view key, std::string_view value);

/// Trims the value and writes every run of backslashes as two (a leading UNC run as four);
/// leaves the result in its argument and returns it.
std::string& AddBackSlashToStr(std::string& value);

} // namespace velmora
