#include "win32/folder_turn.h"

#include "win32/paths.h"
#include "win32/win32_failure.h"

namespace velmora::win32
{

bool FolderTurn::Take(std::wstring_view purpose, const std::wstring& folder, DWORD maxMs)
{
    Release();
    const std::optional<FileIdentity> identity = IdentityOf(folder);
    if (!identity)
        return true; // nothing can be written there; the first write says why
    // "Local\": the turn is the session's, like the files' other users.
    const std::wstring name = L"Local\\" + std::wstring(purpose) + L"." + std::to_wstring(identity->volume) + L"." +
                              std::to_wstring(identity->index);
    UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex)
        ThrowLastError(FailureSource::File);
    // WAIT_ABANDONED: the holder was killed; what it left is for the new holder to clear up.
    const DWORD waited = ::WaitForSingleObject(mutex.get(), maxMs);
    if (waited == WAIT_FAILED)
        ThrowLastError(FailureSource::File);
    if (waited == WAIT_TIMEOUT)
        return false;
    m_mutex = std::move(mutex);
    return true;
}

void FolderTurn::Release() noexcept
{
    if (m_mutex)
        ::ReleaseMutex(m_mutex.get());
    m_mutex.reset();
}

} // namespace velmora::win32
