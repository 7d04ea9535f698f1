#include "shell/shell_result.h"

namespace velmora
{
namespace
{

constexpr std::int32_t kLargestFailureCode = 32;

std::optional<std::string> GeneralText(std::int32_t code)
{
    switch (code)
    {
    case 0:
        return "Out of memory or resources";
    case 2:
        return "File not found";
    case 3:
        return "Path not found";
    case 5:
        return "File access denied";
    case 8:
        return "Out of memory";
    case 11:
        return "Invalid .EXE file";
    case 26:
        return "Sharing violation";
    case 27:
        return "Invalid file name association";
    case 28:
        return "DDE timeout";
    case 29:
        return "DDE transaction failed";
    case 30:
        return "DDE busy";
    case 31:
        return "No associated application";
    case 32:
        return "DLL not found";
    default:
        return std::nullopt;
    }
}

// The help texts keep their odd spacing: the document's piece ends in a space, so code 2 reads
// "...VelmoraHelp.pdf  not found" with two spaces.
std::optional<std::string> HelpText(std::int32_t code, std::string_view documentPath)
{
    const std::string document = std::string(documentPath) + " ";
    switch (code)
    {
    case 2:
        return "File :" + document + " not found";
    case 3:
        return "Path :" + document + "not found";
    case 5:
        return "File :" + document + "access denied";
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<std::string> ShellResultText(std::int32_t code, ShellMessageVariant variant)
{
    if (code > kLargestFailureCode)
        return std::nullopt;
    if (variant.helpDocument)
    {
        if (auto text = HelpText(code, *variant.helpDocument))
            return text;
    }
    if (auto text = GeneralText(code))
        return text;
    return "Unknown error " + std::to_string(code);
}

void ReportShellResult(std::int32_t code, ShellMessageVariant variant, Desktop& desktop)
{
    if (const auto text = ShellResultText(code, variant))
        desktop.ShowMessage(*text, MessageStyle::Warning, "Error");
}

std::int32_t ShellOpenRequest(Desktop& desktop, WindowRef owner, std::string_view file)
{
    return desktop.ShellOpen(owner, "open", file, "", "", kShowNormal);
}

} // namespace velmora
