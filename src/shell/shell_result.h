#pragma once

#include "shell/desktop.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

inline constexpr std::string_view kHelpFileName = "VelmoraHelp.pdf";

/// Which texts a failed request shows: the general ones (Save and registry editor commands), or the
/// help command's, whose codes 2, 3 and 5 name its document.
struct ShellMessageVariant
{
    std::optional<std::string_view> helpDocument; // the path the help command opened

    static const ShellMessageVariant General;
    static ShellMessageVariant Help(std::string_view document) { return {document}; }
};
inline constexpr ShellMessageVariant ShellMessageVariant::General{};

/// The message for a shell result code, or nothing for a success (above 32).
std::optional<std::string> ShellResultText(std::int32_t code, ShellMessageVariant variant);

/// Shows the message for a failed shell result (style 48, title "Error"); does nothing on success.
void ReportShellResult(std::int32_t code, ShellMessageVariant variant, Desktop& desktop);

/// The "open" request every caller makes: empty parameters and directory, normal window.
[[nodiscard]] std::int32_t ShellOpenRequest(Desktop& desktop, WindowRef owner, std::string_view file);

} // namespace velmora
