#include "win32/staged_file.h"

#include "win32/paths.h"
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
// rename ignores the replaced file's own mode), so the refusal is made here for both.
bool Unreplaceable(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// The caller's next step may well open the target, so a failed commit must end the command: it is
// never reported as a number that the standard trap passes over (75 access refused, 5 invalid argument).
RuntimeFailure CommitFailure(DWORD error)
{
    RuntimeFailure failure = FailureFromWin32(error, FailureSource::File);
    if (failure.Number() == kErrPathFileAccess || failure.Number() == kErrInvalidArgument)
        return RuntimeFailure(kErrPermissionDenied);
    return failure;
}

} // namespace

void StagedFile::Open(std::wstring_view target)
{
    Discard();
    const std::wstring plainTarget(target);
    std::wstring fullTarget = ExtendedLengthPath(plainTarget);
    if (Unreplaceable(fullTarget))
        throw FailureFromWin32(ERROR_ACCESS_DENIED, FailureSource::File);

    // In the target's own folder, so that the final rename never crosses volumes.
    const std::wstring stem = plainTarget + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 1;; ++attempt)
    {
        std::wstring temporary = ExtendedLengthPath(stem + std::to_wstring(attempt) + L".tmp");
        // CREATE_NEW: never a file that someone else made; no sharing: nobody reads it half-written.
        m_file.reset(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file)
        {
            m_target = std::move(fullTarget);
            m_temporary = std::move(temporary);
            return;
        }
        const DWORD error = ::GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == kMaxNameAttempts)
            throw FailureFromWin32(error, FailureSource::File);
    }
}

void StagedFile::Write(std::string_view bytes)
{
    if (!m_file)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    while (!bytes.empty())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(m_file.get(), bytes.data(), chunk, &done, nullptr))
            DiscardAndThrow(FailureFromWin32(::GetLastError(), FailureSource::File));
        // A full disk may also show as a write that stores nothing and reports success.
        if (done == 0)
            DiscardAndThrow(RuntimeFailure(kErrDiskFull));
        bytes.remove_prefix(done);
    }
}

void StagedFile::Commit()
{
    if (!m_file)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    // The bytes reach the disk before the name points at them: a crash must not leave an empty target.
    if (!::FlushFileBuffers(m_file.get()))
        DiscardAndThrow(CommitFailure(::GetLastError()));
    if (!::CloseHandle(m_file.release()))
        DiscardAndThrow(CommitFailure(::GetLastError()));

    // MoveFileExW rather than ReplaceFileW: it works whether or not the target exists (ReplaceFileW
    // fails with 2 for a first save), it replaces a link named like the target instead of writing
    // through it, and with MOVEFILE_WRITE_THROUGH it returns only once the rename is on the disk.
    // ReplaceFileW would keep the old file's attributes and security, which a generated file does not
    // need, and Wine 8's leaves "rf*.tmp" files behind when the target is held open.
    const ULONGLONG deadline = ::GetTickCount64() + kHeldTargetWaitMs;
    while (!::MoveFileExW(m_temporary.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        // Windows reports a target held open as a sharing violation or, for a rename, access denied;
        // Wine always as access denied, whatever the holder shares.
        const DWORD error = ::GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                          (error == ERROR_ACCESS_DENIED && !Unreplaceable(m_target));
        if (!held || ::GetTickCount64() >= deadline)
            DiscardAndThrow(CommitFailure(error));
        ::Sleep(kRetryPauseMs);
    }
    m_temporary.clear();
    m_target.clear();
}

void StagedFile::Discard() noexcept
{
    m_file.reset();
    if (!m_temporary.empty())
        ::DeleteFileW(m_temporary.c_str());
    m_temporary.clear();
    m_target.clear();
}

void StagedFile::DiscardAndThrow(const RuntimeFailure& failure)
{
    Discard();
    throw failure;
}

} // namespace velmora::win32
