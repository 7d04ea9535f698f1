#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::win32
{

/// Room for the longest path Windows knows (32767 characters) and its terminator.
inline constexpr std::size_t kMaxPathCapacity = 32768;

/// A full path that the file APIs accept beyond MAX_PATH: long drive and UNC paths get the \\?\ prefix.
std::wstring ExtendedLengthPath(std::wstring path);

/// The path without a \\?\ prefix, as the shell and the user know it.
std::wstring PlainPath(std::wstring path);

/// The path before its last backslash: its folder (the whole path when it has none).
std::wstring FolderOf(std::wstring_view path);

/// The path after its last backslash: its file name.
std::wstring FileNameOf(std::wstring_view path);

/// What makes a file or folder itself whatever its path is spelt: its volume and its index there.
struct FileIdentity
{
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

/// The identity of an existing file or folder; none when it cannot be opened.
std::optional<FileIdentity> IdentityOf(const std::wstring& path);

} // namespace velmora::win32
