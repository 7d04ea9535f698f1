#include "regchange/entry_composition.h"

#include "regchange/reg_file.h"

#include <algorithm>

namespace velmora
{
namespace
{

void AppendPiece(std::string& path, std::string_view piece)
{
    if (piece.empty())
        return;
    if (!path.empty())
        path += '\\';
    path += piece;
}

} // namespace

std::string_view TrimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool HoldsLineBreak(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string ComposeAppPath(std::string_view location, std::string_view applicationName)
{
    std::string path;
    AppendPiece(path, location);
    AppendPiece(path, applicationName);
    return path;
}

std::string ComposeKeyPath(std::string_view appPath, std::string_view section)
{
    std::string path(appPath);
    AppendPiece(path, section);
    return path;
}

std::string ComposeKeyLine(const RegistryKeyPath& keyPath)
{
    return "[" + keyPath.rootName + keyPath.afterRoot + "]";
}

// The key and the value are trimmed here, once: the key only to tell whether it is blank.
std::string ComposeValueLine(std::string_view key, std::string_view value)
{
    std::string escapedValue(value);
    if (TrimSpaces(key).empty() || AddBackSlashToStr(escapedValue).empty())
        return {};
    return QuoteRegString(key) + "=" + QuoteRegString(escapedValue, Backslashes::AlreadyEscaped);
}

std::string& AddBackSlashToStr(std::string& value)
{
    const std::string_view text = TrimSpaces(value);
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8 + 4);

    std::size_t pos = 0;
    // A UNC path (\\server\share, \\?\C:\) must keep its double backslash: regedit reads four as two.
    const std::size_t leadingRun = std::min(text.find_first_not_of('\\'), text.size());
    if (leadingRun >= 2 && leadingRun < text.size())
    {
        escaped += R"(\\\\)";
        pos = leadingRun;
    }
    while (pos < text.size())
    {
        if (text[pos] != '\\')
        {
            const std::size_t next = std::min(text.find('\\', pos), text.size());
            escaped.append(text, pos, next - pos);
            pos = next;
            continue;
        }
        escaped += R"(\\)";
        pos = std::min(text.find_first_not_of('\\', pos), text.size());
    }
    value = std::move(escaped);
    return value;
}

} // namespace velmora
