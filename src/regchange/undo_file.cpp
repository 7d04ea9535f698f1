#include "regchange/undo_file.h"

#include <cstdint>

namespace velmora
{
namespace
{

constexpr char kHexDigits[] = "0123456789abcdef";

// Inside quotes the registry editor reads \\ as \ and \" as ".
std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text)
    {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

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

// The text of a string value when writing it quoted gives back exactly the same bytes: UTF-16LE
// with one terminating zero, no other zero, no line break (it would end the line) and no lone
// surrogate (UTF-8 cannot carry one).
std::optional<std::string> RoundTripText(std::string_view bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes.substr(bytes.size() - 2) != std::string_view("\0\0", 2))
        return std::nullopt;
    std::string text;
    const std::size_t units = bytes.size() / 2 - 1;
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i)
    {
        std::uint32_t code = unit(i);
        if (code == 0 || code == '\r' || code == '\n' || (code >= 0xDC00 && code <= 0xDFFF))
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

std::string HexData(const RegistryValue& value)
{
    std::string line = value.type == kRegBinary ? "hex:" : "hex(";
    if (value.type != kRegBinary)
    {
        std::string type;
        for (std::uint32_t rest = value.type; type.empty() || rest != 0; rest >>= 4)
            type.insert(type.begin(), kHexDigits[rest & 0xF]);
        line += type + "):";
    }
    for (std::size_t i = 0; i < value.bytes.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(value.bytes[i]);
        if (i != 0)
            line += ',';
        line += kHexDigits[byte >> 4];
        line += kHexDigits[byte & 0xF];
    }
    return line;
}

std::string Data(const RegistryValue& value)
{
    if (value.type == kRegSz)
    {
        if (const auto text = RoundTripText(value.bytes))
            return Quoted(*text);
    }
    if (value.type == kRegDword && value.bytes.size() == 4)
    {
        std::string number = "dword:";
        for (int i = 3; i >= 0; --i)
        {
            const auto byte = static_cast<unsigned char>(value.bytes[static_cast<std::size_t>(i)]);
            number += kHexDigits[byte >> 4];
            number += kHexDigits[byte & 0xF];
        }
        return number;
    }
    return HexData(value);
}

} // namespace

std::string UndoValueLine(std::string_view valueName, const std::optional<RegistryValue>& old)
{
    return Quoted(valueName) + "=" + (old ? Data(*old) : "-");
}

std::vector<std::string> UndoFileLines(std::string_view keyPath, std::optional<std::string_view> valueName,
                                       const std::optional<RegistryValue>& old)
{
    std::vector<std::string> lines = {std::string(kUndoFileHeader), std::string(), std::string(keyPath)};
    if (valueName)
        lines.push_back(UndoValueLine(*valueName, old));
    return lines;
}

} // namespace velmora
