#include "regchange/entry_composition.h"

#include "common/registry_root.h"
#include "common/runtime_failure.h"

#include <algorithm>

namespace velmora
{
namespace
{

// Whatever reaches a line of the registration file: regedit would read the text after a line
// break (or a NUL, which ends the text early) as a line of its own, and obey it.
void RequireOneLine(std::string_view text)
{
    if (HoldsLineBreak(text))
        throw RuntimeFailure(kErrInvalidPropertyValue,
                             "Invalid property value: a registration file line cannot hold a line break or a NUL "
                             "character; nothing was written");
}

void AppendPiece(std::string& path, std::string_view piece)
{
    RequireOneLine(piece);
    if (IsBlank(piece))
        return;
    if (!path.empty())
        path += '\\';
    path += TrimSpaces(piece);
}

// Inside a quoted REGEDIT4 string regedit reads \" as a quote; a bare quote would end the string early.
std::string EscapeQuotes(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text)
    {
        if (c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// The value name is a quoted string too: regedit reads \\ as one backslash and \" as a quote.
std::string EscapeValueName(std::string_view name)
{
    std::string escaped;
    escaped.reserve(name.size());
    for (char c : name)
    {
        if (c == '\\' || c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
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

bool IsBlank(std::string_view text)
{
    return TrimSpaces(text).empty();
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
    RequireOneLine(appPath);
    std::string path(appPath);
    AppendPiece(path, section);
    if (path.empty())
        return path;
    // Users type HKCU; the registry editor knows only HKEY_CURRENT_USER.
    path = ExpandRootAbbreviation(path);
    path.insert(path.begin(), '[');
    path += ']';
    return path;
}

std::string ComposeValueLine(std::string_view keyPath, std::string_view key, std::string_view value)
{
    RequireOneLine(keyPath);
    RequireOneLine(key);
    RequireOneLine(value);
    if (IsBlank(keyPath) || IsBlank(key) || IsBlank(value))
        return {};
    std::string escapedValue(value);
    AddBackSlashToStr(escapedValue);
    std::string line;
    line.reserve(key.size() + escapedValue.size() + 8);
    line += '"';
    line += EscapeValueName(key);
    line += R"("=")";
    line += EscapeQuotes(escapedValue);
    line += '"';
    return line;
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
