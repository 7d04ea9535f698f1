#include "regchange/entry_composition.h"

#include "regchange/reg_file.h"

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
        throw LineBreakRefusal("a registration file line");
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

RuntimeFailure LineBreakRefusal(std::string_view subject)
{
    return NothingWritten(kErrInvalidPropertyValue,
                          std::string(subject) + " holds a line break or a NUL character, which a registration file "
                                                 "cannot carry");
}

std::string ComposeKeyPath(std::string_view appPath, std::string_view section)
{
    RequireOneLine(appPath);
    std::string path(appPath);
    AppendPiece(path, section);
    return path;
}

std::string ComposeKeyLine(const RegistryKeyPath& keyPath)
{
    const std::string line = "[" + keyPath.rootName + keyPath.afterRoot + "]";
    RequireOneLine(line);
    return line;
}

std::string ComposeValueLine(std::string_view key, std::string_view value)
{
    RequireOneLine(key);
    RequireOneLine(value);
    if (IsBlank(key) || IsBlank(value))
        return {};
    std::string escapedValue(value);
    AddBackSlashToStr(escapedValue);
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
