#include "transaction/folder_turn_win32.h"

#include "transaction/journal.h"
#include "win32/message_wait.h"
#include "win32/paths.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <windows.h>

namespace velmora::win32
{
namespace
{

// What the folder is, whatever its spelling; without its identity, its full path in capitals (file
// names ignore the letter case), as a number, since a mutex name holds no backslash.
std::wstring FolderKey(const std::string& folder)
{
    const std::wstring path = ExtendedLengthPath(Widen(folder));
    if (const std::optional<FileIdentity> identity = IdentityOf(path))
        return std::to_wstring(identity->volume) + L"." + std::to_wstring(identity->index);
    std::wstring full(kMaxPathCapacity, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    full.resize(length < full.size() ? length : 0);
    if (full.empty())
        full = path;
    ::CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    return L"path." + std::to_wstring(transaction::ContentHash(Narrow(PlainPath(full))));
}

} // namespace

bool Win32FolderTurn::Take(const std::string& folder, std::uint32_t maxMs)
{
    if (m_mutex)
        return true;
    // "Local\": the turn is the session's, like the files' other users.
    const std::wstring name = L"Local\\" + m_purpose + L"." + FolderKey(folder);
    UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex)
        ThrowLastError(FailureSource::File);
    // WAIT_ABANDONED: the holder was killed; what it left is for the new holder to clear up. The
    // windows repaint meanwhile.
    const DWORD waited = WaitDispatchingMessages(mutex.get(), maxMs);
    if (waited == WAIT_FAILED)
        ThrowLastError(FailureSource::File);
    if (waited == WAIT_TIMEOUT)
        return false;
    m_mutex = std::move(mutex);
    return true;
}

void Win32FolderTurn::Release() noexcept
{
    if (m_mutex)
        ::ReleaseMutex(m_mutex.get());
    m_mutex.reset();
}

} // namespace velmora::win32
