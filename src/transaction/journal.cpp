#include "transaction/journal.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace velmora::transaction
{
namespace
{

constexpr std::string_view kJournalHeading = "Velmora commit journal 1";
constexpr std::string_view kJournalEnd = "end";
// A file name holds no '|' on Windows, so it cannot be mistaken for a separator.
constexpr char kSeparator = '|';
constexpr std::array<std::string_view, 3> kKindEndings = {".tmp", ".old", ".commit"};

template <class Number>
std::optional<Number> NumberIn(std::string_view text, int base = 10)
{
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::string Hex(std::uint64_t number)
{
    std::array<char, 16> digits{};
    return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), number, 16).ptr};
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text up to the separator, and the rest after it.
std::string_view TakeField(std::string_view& rest, char separator)
{
    const std::size_t end = std::min(rest.find(separator), rest.size());
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return field;
}

std::optional<JournalEntry> ParseEntry(std::string_view line)
{
    JournalEntry entry;
    entry.target = TakeField(line, kSeparator);
    entry.staged = TakeField(line, kSeparator);
    entry.copy = TakeField(line, kSeparator);
    const auto size = NumberIn<std::uint64_t>(TakeField(line, kSeparator));
    const auto hash = NumberIn<std::uint64_t>(TakeField(line, kSeparator), 16);
    const auto oldSize = NumberIn<std::uint64_t>(TakeField(line, kSeparator));
    const auto oldHash = NumberIn<std::uint64_t>(line, 16);
    if (entry.target.empty() || entry.staged.empty() || !size || !hash || !oldSize || !oldHash)
        return std::nullopt;
    entry.size = *size;
    entry.hash = *hash;
    entry.oldSize = *oldSize;
    entry.oldHash = *oldHash;
    return entry;
}

} // namespace

bool SameFileName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string NameBeside(std::string_view targetName, const RunId& run, unsigned attempt, LeftoverKind kind)
{
    return std::string(targetName) + "." + std::to_string(run.process) + "-" + std::to_string(run.started) + "-" +
           std::to_string(attempt) + std::string(kKindEndings[static_cast<std::size_t>(kind)]);
}

std::optional<Leftover> ParseLeftover(std::string_view fileName, std::span<const std::string> targetNames)
{
    for (std::size_t target = 0; target < targetNames.size(); ++target)
    {
        const std::string& name = targetNames[target];
        if (fileName.size() <= name.size() + 1 || !SameFileName(fileName.substr(0, name.size()), name) ||
            fileName[name.size()] != '.')
            continue;
        std::string_view rest = fileName.substr(name.size() + 1);
        const auto ending = std::ranges::find_if(kKindEndings, [&](std::string_view k) { return rest.ends_with(k); });
        if (ending == kKindEndings.end())
            continue;
        rest.remove_suffix(ending->size());
        const auto process = NumberIn<std::uint32_t>(TakeField(rest, '-'));
        const auto started = NumberIn<std::uint64_t>(TakeField(rest, '-'));
        if (process && started && NumberIn<unsigned>(rest))
            return Leftover{
                target, {*process, *started}, static_cast<LeftoverKind>(std::distance(kKindEndings.begin(), ending))};
    }
    return std::nullopt;
}

std::string JournalText(std::span<const JournalEntry> entries)
{
    std::string text = std::string(kJournalHeading) + "\n";
    for (const JournalEntry& entry : entries)
    {
        text += entry.target + kSeparator + entry.staged + kSeparator + entry.copy + kSeparator +
                std::to_string(entry.size) + kSeparator + Hex(entry.hash) + kSeparator + std::to_string(entry.oldSize) +
                kSeparator + Hex(entry.oldHash) + "\n";
    }
    return text + std::string(kJournalEnd) + "\n";
}

std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text)
{
    if (TakeField(text, '\n') != kJournalHeading)
        return std::nullopt;
    std::vector<JournalEntry> entries;
    while (!text.empty())
    {
        const std::string_view line = TakeField(text, '\n');
        if (line == kJournalEnd)
            return text.empty() ? std::optional(std::move(entries)) : std::nullopt;
        const std::optional<JournalEntry> entry = ParseEntry(line);
        if (!entry)
            return std::nullopt;
        entries.push_back(*entry);
    }
    return std::nullopt; // cut short before its last line
}

std::uint64_t ContentHash(std::string_view bytes, std::uint64_t before)
{
    std::uint64_t hash = before;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return hash;
}

} // namespace velmora::transaction
