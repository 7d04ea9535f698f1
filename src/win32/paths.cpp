#include "win32/paths.h"

#include <windows.h>

namespace velmora::win32
{

std::wstring ExtendedLengthPath(std::wstring path)
{
    if (path.size() < MAX_PATH - 12 || path.starts_with(LR"(\\?\)"))
        return path;
    // The \\?\ form skips normalisation, so normalise first (a drive root folder gives "C:\\Velmora.reg").
    std::wstring full(32768, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    if (full.starts_with(LR"(\\)"))
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

} // namespace velmora::win32
