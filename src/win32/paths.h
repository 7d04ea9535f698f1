#pragma once

#include <string>

namespace velmora::win32
{

/// A full path that the file APIs accept beyond MAX_PATH: long drive and UNC paths get the \\?\ prefix.
std::wstring ExtendedLengthPath(std::wstring path);

} // namespace velmora::win32
