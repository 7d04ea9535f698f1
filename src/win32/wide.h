#pragma once

#include <string>
#include <string_view>

namespace velmora::win32
{

/// UTF-8 of the core to UTF-16 for the W APIs.
std::wstring Widen(std::string_view utf8);

/// UTF-16 of the W APIs to UTF-8 for the core.
std::string Narrow(std::wstring_view utf16);

} // namespace velmora::win32
