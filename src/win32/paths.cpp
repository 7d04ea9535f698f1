#include "win32/paths.h"

#include "win32/unique_handle.h"

#include <windows.h>

namespace velmora::win32
{
namespace
{

constexpr std::wstring_view kExtendedPrefix = LR"(\\?\)";
constexpr std::wstring_view kExtendedUncPrefix = LR"(\\?\UNC\)";
// CreateDirectoryW's limit without the prefix: MAX_PATH less room for an 8.3 file name.
constexpr std::size_t kClassicFolderLimit = MAX_PATH - 12;

} // namespace

std::wstring ExtendedLengthPath(std::wstring path)
{
    if (path.size() < kClassicFolderLimit || path.starts_with(kExtendedPrefix))
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

std::wstring FolderOf(std::wstring_view path)
{
    return std::wstring(path.substr(0, path.find_last_of(L'\\')));
}

std::wstring FileNameOf(std::wstring_view path)
{
    return std::wstring(path.substr(path.find_last_of(L'\\') + 1));
}

std::optional<FileIdentity> IdentityOf(const std::wstring& path)
{
    // FILE_FLAG_BACKUP_SEMANTICS opens a folder too; no access right beyond its attributes is asked for.
    const UniqueFile file(::CreateFileW(ExtendedLengthPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !::GetFileInformationByHandle(file.get(), &information))
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

} // namespace velmora::win32
