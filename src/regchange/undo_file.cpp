#include "regchange/undo_file.h"

#include "regchange/entry_composition.h"
#include "regchange/reg_file.h"
#include "common/text_form.h"

#include <array>
#include <charconv>

namespace velmora
{
namespace
{

// The text of a string value when writing it quoted gives back exactly the same bytes: UTF-16LE
// with one terminating zero, no other zero, no line break (it would end the line) and no lone
// surrogate (UTF-8 cannot carry one).
std::optional<std::string> RoundTripText(std::string_view bytes)
{
    if (!bytes.ends_with(std::string_view("\0\0", 2)))
        return std::nullopt;
    std::optional<std::string> text = Utf8FromUtf16(bytes.substr(0, bytes.size() - 2));
    if (text && HoldsLineBreak(*text))
        return std::nullopt;
    return text;
}

std::string HexData(const RegistryValue& value)
{
    std::string line = "hex";
    if (value.type != kRegBinary)
    {
        // The type in lower-case hex without leading zeros: hex(2), hex(b), hex(1234).
        std::array<char, 8> type{};
        char* end = std::to_chars(type.data(), type.data() + type.size(), value.type, 16).ptr;
        line += "(" + std::string(type.data(), end) + ")";
    }
    return line + ":" + HexBytes(value.bytes, HexCase::Lower, ",");
}

std::string Data(const RegistryValue& value)
{
    if (value.type == kRegSz)
    {
        if (const auto text = RoundTripText(value.bytes))
            return QuoteRegString(*text);
    }
    if (value.type == kRegDword && value.bytes.size() == 4)
        return "dword:" + HexBytes(std::string(value.bytes.rbegin(), value.bytes.rend()), HexCase::Lower);
    return HexData(value);
}

// The registry editor cannot hold text whose bytes are not whole UTF-16 with its terminator: it adds
// or overwrites a terminator of its own (the last character of the text is lost), and a single byte
// makes it crash with the value still changed. Such a value is put back made well-formed; the
// returned note says what was added, and nothing comes back for a value that needs nothing.
std::optional<std::string> MakeWellFormedText(RegistryValue& value)
{
    if (!IsTextType(value.type))
        return std::nullopt;
    std::string& bytes = value.bytes;
    std::string added;
    if (bytes.size() % 2 != 0)
    {
        bytes += '\0';
        added = "a zero byte to make whole characters";
    }
    // A multi-string ends with an empty string: two zero characters.
    const std::size_t wanted = value.type == kRegMultiSz ? 2 : 1;
    std::size_t present = 0;
    while (present < wanted && bytes.size() >= 2 * (present + 1) &&
           bytes.compare(bytes.size() - 2 * (present + 1), 2, std::string(2, '\0')) == 0)
        ++present;
    const std::size_t missing = wanted - present;
    if (missing == 0)
        return added.empty() ? std::nullopt : std::optional(added);
    bytes.append(2 * missing, '\0');
    if (!added.empty())
        added += " and ";
    added += missing == 1 ? "a final zero character" : "two final zero characters";
    return added;
}

// The value line that puts back exactly what a value was: its type and bytes, or, when there was
// none, its deletion. Text that round-trips exactly is written quoted; anything else as hex.
std::string UndoValueLine(std::string_view valueName, const std::optional<RegistryValue>& old)
{
    return QuoteRegString(valueName) + "=" + (old ? Data(*old) : "-");
}

} // namespace

std::vector<std::string> UndoFileLines(std::string_view keyPath, std::optional<std::string_view> valueName,
                                       const std::optional<RegistryValue>& old)
{
    std::vector<std::string> lines = {std::string(kUndoFileHeader), std::string(), std::string(keyPath)};
    if (!valueName)
        return lines;
    std::optional<RegistryValue> wellFormed = old;
    if (wellFormed)
    {
        if (const std::optional<std::string> added = MakeWellFormedText(*wellFormed))
            lines.push_back("; The old value was not well-formed text; " + *added +
                            " made it one the registry editor can hold.");
    }
    lines.push_back(UndoValueLine(*valueName, wellFormed));
    return lines;
}

} // namespace velmora
