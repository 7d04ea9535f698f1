#include "common/text_form.h"

namespace velmora
{

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
