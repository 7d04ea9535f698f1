#pragma once

#include "shell/desktop.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

inline constexpr std::string_view kHelpFileName = "VelmoraHelp.pdf";

enum class ShellMessageVariant
{
    General, // Save and registry editor commands
    Help,    // help command: codes 2, 3 and 5 name the help document
};

/// The message for a shell result code, or nothing for a success (above 32); the help texts name
/// the document in the application folder.
std::optional<std::string> ShellResultText(std::int32_t code, ShellMessageVariant variant,
                                           std::string_view applicationFolder);

/// Shows the message for a failed shell result (style 48, title "Error"); does nothing on success.
void ReportShellResult(std::int32_t code, ShellMessageVariant variant, Desktop& desktop);

/// The "open" request every caller makes: empty parameters and directory, normal window.
[[nodiscard]] std::int32_t ShellOpenRequest(Desktop& desktop, WindowRef owner, std::string_view file);

} // namespace velmora
