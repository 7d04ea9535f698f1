#pragma once

#include "registry/registry_reader.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora
{

inline constexpr std::string_view kUndoFileName = "Velmora-undo.reg";
inline constexpr std::string_view kUndoFileHeader = "Windows Registry Editor Version 5.00";

/// The lines of Velmora-undo.reg (UTF-8; the file is UTF-16): header, empty line, the key path
/// and, when the save sets a value, the line that puts its old state back.
std::vector<std::string> UndoFileLines(std::string_view keyPath, std::optional<std::string_view> valueName,
                                       const std::optional<RegistryValue>& old);

} // namespace velmora
