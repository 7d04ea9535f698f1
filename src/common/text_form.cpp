#include "common/text_form.h"

#include <cstdint>

namespace velmora
{
namespace
{

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80)
    {
        out += static_cast<char>(code);
        return;
    }
    if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
    }
    else
    {
        if (code < 0x10000)
        {
            out += static_cast<char>(0xE0 | (code >> 12));
        }
        else
        {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        }
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

} // namespace

std::size_t Utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8)
    {
        const auto byte = static_cast<unsigned char>(c);
        // A lead byte starts one unit; a four-byte sequence needs a surrogate pair.
        if ((byte & 0xC0) != 0x80)
            ++units;
        if (byte >= 0xF0)
            ++units;
    }
    return units;
}

std::optional<std::string> Utf8FromUtf16(std::string_view utf16le)
{
    if (utf16le.size() % 2 != 0)
        return std::nullopt;
    const std::size_t units = utf16le.size() / 2;
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(utf16le[2 * i]) |
                                          static_cast<unsigned char>(utf16le[2 * i + 1]) << 8);
    };
    std::string text;
    for (std::size_t i = 0; i < units; ++i)
    {
        std::uint32_t code = unit(i);
        if (code >= 0xDC00 && code <= 0xDFFF)
            return std::nullopt;
        if (code >= 0xD800 && code <= 0xDBFF)
        {
            if (i + 1 == units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
        }
        AppendUtf8(text, code);
    }
    return text;
}

std::string HexBytes(std::string_view bytes, HexCase letters, std::string_view separator)
{
    const char* digits = letters == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * (2 + separator.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (i != 0)
            hex += separator;
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0F];
    }
    return hex;
}

} // namespace velmora
