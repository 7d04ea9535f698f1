#include "win32/staged_file.h"

#include "win32/paths.h"
#include "win32/scope_exit.h"
#include "win32/win32_failure.h"

#include <algorithm>

namespace velmora::win32
{
namespace
{

// Another process holding the target (a registry editor still reading the previous file) usually
// lets go within moments; waiting longer would leave the user looking at a frozen window.
constexpr ULONGLONG kHeldTargetWaitMs = 2000;
constexpr DWORD kRetryPauseMs = 50;
// Leftovers of crashed runs with the same process id are stepped over, but not endlessly.
constexpr unsigned kMaxNameAttempts = 100;

// Windows refuses to replace a read-only file or a folder. Wine renames over a read-only file (a Unix
// rename ignores the replaced file's own mode), and Windows renames a read-only file away, so the
// refusal is made here.
bool Unreplaceable(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// A name beside the target, in its own folder so that no rename crosses volumes.
std::wstring NameBeside(std::wstring_view target, unsigned attempt, std::wstring_view suffix)
{
    return ExtendedLengthPath(std::wstring(target) + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(attempt) + std::wstring(suffix));
}

bool IsNameTaken(DWORD error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// Runs the file operation again while another program holds the file, for a bounded time; a file
// held to the end fails as a sharing violation. Windows reports a held file as a sharing violation
// or, for a rename, access denied; Wine always as access denied, whatever the holder shares.
template <class Operation>
DWORD RetryWhileHeld(const std::wstring& file, Operation operation)
{
    const ULONGLONG deadline = ::GetTickCount64() + kHeldTargetWaitMs;
    while (!operation())
    {
        const DWORD error = ::GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          (error == ERROR_ACCESS_DENIED && !Unreplaceable(file));
        if (!held)
            return error;
        if (::GetTickCount64() >= deadline)
            return ERROR_SHARING_VIOLATION;
        ::Sleep(kRetryPauseMs);
    }
    return ERROR_SUCCESS;
}

} // namespace

void StagedFiles::Open(std::wstring_view target)
{
    ScopeExit discard([this] { Discard(); });
    if (m_open)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    std::wstring fullTarget = ExtendedLengthPath(std::wstring(target));
    if (Unreplaceable(fullTarget))
        throw FailureFromWin32(ERROR_ACCESS_DENIED, FailureSource::File);
    for (unsigned attempt = 1;; ++attempt)
    {
        std::wstring temporary = NameBeside(target, attempt, L".tmp");
        // CREATE_NEW: never a file that someone else made; no sharing: nobody reads it half-written.
        m_open.reset(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_open)
        {
            m_staged.push_back({std::move(fullTarget), std::move(temporary), {}, false});
            discard.Release();
            return;
        }
        const DWORD error = ::GetLastError();
        if (!IsNameTaken(error))
            throw FailureFromWin32(error, FailureSource::File);
        if (attempt == kMaxNameAttempts)
            throw NoFreeTemporaryName(kMaxNameAttempts);
    }
}

void StagedFiles::Write(std::string_view bytes)
{
    ScopeExit discard([this] { Discard(); });
    if (!m_open)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    while (!bytes.empty())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(m_open.get(), bytes.data(), chunk, &done, nullptr))
            ThrowLastError(FailureSource::File);
        // A full disk may also show as a write that stores nothing and reports success.
        if (done == 0)
            throw RuntimeFailure(kErrDiskFull);
        bytes.remove_prefix(done);
    }
    discard.Release();
}

void StagedFiles::Finish()
{
    ScopeExit discard([this] { Discard(); });
    if (!m_open)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    // The bytes reach the disk before a name points at them: a crash must not leave an empty target.
    if (!::FlushFileBuffers(m_open.get()) || !::CloseHandle(m_open.release()))
        ThrowLastError(FailureSource::File);
    discard.Release();
}

// First a copy of every old target, to put back should a later file fail to take its place: a
// copy, since Wine renames the file that a symbolic link points to rather than the link. Then each
// new file takes its target's place with MoveFileExW rather than ReplaceFileW: it works whether or
// not the target exists, it replaces a link named like the target instead of writing through it,
// and with MOVEFILE_WRITE_THROUGH it returns only once the rename is on the disk. Wine 8's
// ReplaceFileW also leaves "rf*.tmp" files behind when the target is held open.
void StagedFiles::Commit()
{
    ScopeExit discard([this] { Discard(); });
    if (m_open || m_staged.empty())
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    for (Staged& staged : m_staged)
    {
        if (Unreplaceable(staged.target))
            throw FailureFromWin32(ERROR_ACCESS_DENIED, FailureSource::File);
        for (unsigned attempt = 1; staged.backup.empty(); ++attempt)
        {
            std::wstring backup = NameBeside(staged.target, attempt, L".old");
            const DWORD error = RetryWhileHeld(
                staged.target, [&] { return ::CopyFileW(staged.target.c_str(), backup.c_str(), TRUE) != FALSE; });
            if (error == ERROR_SUCCESS)
                staged.backup = std::move(backup);
            else if (error == ERROR_FILE_NOT_FOUND)
                break; // the first save: no old file
            else if (!IsNameTaken(error) || attempt == kMaxNameAttempts)
                throw FailureFromWin32(error, FailureSource::File);
        }
    }
    for (Staged& staged : m_staged)
    {
        const DWORD error = RetryWhileHeld(staged.target, [&] {
            return ::MoveFileExW(staged.temporary.c_str(), staged.target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        });
        if (error != ERROR_SUCCESS)
            throw FailureFromWin32(error, FailureSource::File);
        staged.placed = true;
    }
    discard.Release();
    for (const Staged& staged : m_staged)
    {
        if (!staged.backup.empty())
            ::DeleteFileW(staged.backup.c_str());
    }
    m_staged.clear();
}

void StagedFiles::Discard() noexcept
{
    m_open.reset();
    for (const Staged& staged : m_staged)
    {
        if (!staged.placed)
            ::DeleteFileW(staged.temporary.c_str());
        else if (staged.backup.empty())
            ::DeleteFileW(staged.target.c_str()); // there was no old file
        if (staged.placed && !staged.backup.empty())
            ::MoveFileExW(staged.backup.c_str(), staged.target.c_str(), MOVEFILE_REPLACE_EXISTING);
        else if (!staged.backup.empty())
            ::DeleteFileW(staged.backup.c_str());
    }
    m_staged.clear();
}

} // namespace velmora::win32
