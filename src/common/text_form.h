#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora
{

/// How many UTF-16 code units the UTF-8 text takes: the count the registry and the shell limit.
[[nodiscard]] std::size_t Utf16Length(std::string_view utf8);

enum class HexCase
{
    Lower,
    Upper,
};

/// Two hex digits a byte, in the order given, with the separator between bytes.
std::string HexBytes(std::string_view bytes, HexCase letters, std::string_view separator = {});

} // namespace velmora
