#include "win32/paths.h"

#include <windows.h>

namespace velmora::win32
{
namespace
{

constexpr std::wstring_view kExtendedPrefix = LR"(\\?\)";
constexpr std::wstring_view kExtendedUncPrefix = LR"(\\?\UNC\)";

} // namespace

std::wstring ExtendedLengthPath(std::wstring path)
{
    // Twelve characters short of MAX_PATH: a folder path must leave room for an 8.3 file name.
    if (path.size() < MAX_PATH - 12 || path.starts_with(kExtendedPrefix))
        return path;
    // The \\?\ form skips normalisation, so normalise first (a drive root folder gives "C:\\Velmora.reg").
    std::wstring full(kMaxPathCapacity, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    if (full.starts_with(LR"(\\)"))
        return std::wstring(kExtendedUncPrefix) + full.substr(2);
    return std::wstring(kExtendedPrefix) + full;
}

std::wstring PlainPath(std::wstring path)
{
    if (path.starts_with(kExtendedUncPrefix))
        return LR"(\\)" + path.substr(kExtendedUncPrefix.size());
    if (path.starts_with(kExtendedPrefix))
        return path.substr(kExtendedPrefix.size());
    return path;
}

} // namespace velmora::win32
