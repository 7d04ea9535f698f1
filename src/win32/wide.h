#pragma once

#include <string>
#include <string_view>

namespace velmora::win32
{

/// UTF-8 of the core to UTF-16 for the W APIs.
std::wstring Widen(std::string_view utf8);

/// UTF-16 of the W APIs to UTF-8 for the core.
std::string Narrow(std::wstring_view utf16);

/// Text in the system ANSI code page (as a narrow API or data block holds it) to UTF-16.
std::wstring WidenAnsi(std::string_view ansi);

/// Whether every character of the UTF-8 text has a place of its own in the system ANSI code page.
[[nodiscard]] bool CanEncodeAnsi(std::string_view utf8);

/// UTF-8 to the system ANSI code page; a character without a place of its own there (never replaced
/// by a best fit) fails with 1113.
std::string EncodeAnsi(std::string_view utf8);

} // namespace velmora::win32
