#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

/// How many UTF-16 code units the UTF-8 text takes: the count the registry and the shell limit.
[[nodiscard]] std::size_t Utf16Length(std::string_view utf8);

/// The UTF-8 form of UTF-16LE bytes, or nothing when they are not whole UTF-16: an odd byte, or a
/// surrogate without its partner, which UTF-8 cannot carry.
[[nodiscard]] std::optional<std::string> Utf8FromUtf16(std::string_view utf16le);

enum class HexCase
{
    Lower,
    Upper,
};

/// Two hex digits a byte, in the order given, with the separator between bytes.
std::string HexBytes(std::string_view bytes, HexCase letters, std::string_view separator = {});

} // namespace velmora
