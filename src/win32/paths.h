#pragma once

#include <cstddef>
#include <string>

namespace velmora::win32
{

/// Room for the longest path Windows knows (32767 characters) and its terminator.
inline constexpr std::size_t kMaxPathCapacity = 32768;

/// A full path that the file APIs accept beyond MAX_PATH: long drive and UNC paths get the \\?\ prefix.
std::wstring ExtendedLengthPath(std::wstring path);

/// The path without a \\?\ prefix, as the shell and the user know it.
std::wstring PlainPath(std::wstring path);

} // namespace velmora::win32
