#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace velmora::win32
{

/// A turn that the processes of the session take one after another for one purpose in one folder:
/// a named mutex named after the folder's identity, so that every spelling of the folder (long,
/// short, \\?\) shares it. Let go of on destruction, at the latest.
class FolderTurn
{
public:
    FolderTurn() = default;
    ~FolderTurn() { Release(); }
    FolderTurn(const FolderTurn&) = delete;
    FolderTurn& operator=(const FolderTurn&) = delete;

    /// Waits up to maxMs for the turn; false when it did not come. A turn whose holder ended
    /// without letting go passes on. A folder that cannot be opened has no turn: true at once.
    [[nodiscard]] bool Take(std::wstring_view purpose, const std::wstring& folder, DWORD maxMs);
    /// Lets go of the turn, if this object holds it.
    void Release() noexcept;

private:
    UniqueHandle m_mutex;
};

} // namespace velmora::win32
