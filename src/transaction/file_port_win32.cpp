#include "transaction/file_port_win32.h"

#include "win32/message_wait.h"
#include "win32/paths.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <windows.h>

#include <algorithm>

namespace velmora::win32
{
namespace
{

using transaction::FileFault;
using transaction::FileResult;

using UniqueFindHandle = UniqueAny<InvalidValueHandleTraits<::FindClose>>;

std::wstring FullPath(const std::string& path)
{
    return ExtendedLengthPath(Widen(path));
}

// Opening for deletion, sharing everything, conflicts with every handle that does not share
// deletion: a reader's, or a hold's. A file or folder that refuses the right says access denied.
DWORD DeleteAccessError(const std::wstring& path)
{
    const UniqueFile probe(::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return probe ? ERROR_SUCCESS : ::GetLastError();
}

FileResult Result(BOOL succeeded, const std::wstring& path)
{
    return succeeded ? FileResult{} : FileResultOf(::GetLastError(), path);
}

// FILETIME's 100 ns steps since 1601: a process's start, which no later process with its id repeats.
std::uint64_t Ticks(const FILETIME& time)
{
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

std::optional<std::uint64_t> StartOf(HANDLE process)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return std::nullopt;
    return Ticks(created);
}

} // namespace

FileResult FileResultOf(unsigned long error, const std::wstring& path)
{
    const RuntimeFailure failure = FailureFromWin32(error, FailureSource::File);
    FileFault fault = FileFault::Other;
    switch (error)
    {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        fault = FileFault::Held;
        break;
    // Wine reports a held file as access denied whatever the holder shares; Windows so reports a
    // rename over a held file. A file or folder whose permissions refuse the change says so too.
    case ERROR_ACCESS_DENIED: {
        const DWORD probe = DeleteAccessError(path);
        if (probe == ERROR_SHARING_VIOLATION || probe == ERROR_LOCK_VIOLATION)
            return {FileFault::Held, kErrPermissionDenied, {}};
        fault = FileFault::Denied;
        break;
    }
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        fault = FileFault::Exists;
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        fault = FileFault::NotFound;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        fault = FileFault::DiskFull;
        break;
    default:
        break;
    }
    return {fault, failure.Number(), failure.Description()};
}

FileResult Win32FilePort::CreateNew(const std::string& path, transaction::FileToken& file)
{
    const std::wstring full = FullPath(path);
    // No sharing: nobody reads it half-written.
    UniqueFile created(
        ::CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created)
        return FileResultOf(::GetLastError(), full);
    file = ++m_lastToken;
    m_open[file] = std::move(created);
    return {};
}

FileResult Win32FilePort::Write(transaction::FileToken file, std::string_view bytes)
{
    const HANDLE handle = m_open.at(file).get();
    while (!bytes.empty())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &done, nullptr))
            return FileResultOf(::GetLastError(), {});
        // A full disk may also show as a write that stores nothing and reports success.
        if (done == 0)
            return {FileFault::DiskFull, kErrDiskFull, {}};
        bytes.remove_prefix(done);
    }
    return {};
}

FileResult Win32FilePort::FlushAndClose(transaction::FileToken file)
{
    UniqueFile handle = std::move(m_open.at(file));
    m_open.erase(file);
    if (!::FlushFileBuffers(handle.get()) || !::CloseHandle(handle.release()))
        return FileResultOf(::GetLastError(), {});
    return {};
}

void Win32FilePort::Abandon(transaction::FileToken file) noexcept
{
    m_open.erase(file);
}

FileResult Win32FilePort::Copy(const std::string& from, const std::string& to)
{
    const std::wstring source = FullPath(from);
    return Result(::CopyFileW(source.c_str(), FullPath(to).c_str(), TRUE), source);
}

// MoveFileExW rather than ReplaceFileW: it replaces a link named like the target instead of writing
// through it, and returns only once the rename is on the disk (Wine's ReplaceFileW leaves rf*.tmp).
FileResult Win32FilePort::Replace(const std::string& from, const std::string& to)
{
    const std::wstring target = FullPath(to);
    return Result(
        ::MoveFileExW(FullPath(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
        target);
}

FileResult Win32FilePort::Delete(const std::string& path)
{
    const std::wstring full = FullPath(path);
    return Result(::DeleteFileW(full.c_str()), full);
}

FileResult Win32FilePort::Read(const std::string& path, std::string& bytes)
{
    const std::wstring full = FullPath(path);
    const UniqueFile file(::CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size))
        return FileResultOf(::GetLastError(), full);
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return FileResultOf(::GetLastError(), full);
    bytes.resize(read);
    return {};
}

FileResult Win32FilePort::List(const std::string& folder, std::vector<std::string>& names)
{
    const std::wstring pattern = FullPath(folder) + L"\\*";
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW(pattern.c_str(), &found));
    if (!search)
        return FileResultOf(::GetLastError(), pattern);
    do
    {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Narrow(found.cFileName));
    } while (::FindNextFileW(search.get(), &found));
    return {};
}

// Wine renames over a read-only file and Windows renames one away, so the refusal is the caller's.
bool Win32FilePort::IsReadOnly(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(FullPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

FileResult Win32FilePort::ProbeHeld(const std::string& path)
{
    const std::wstring full = FullPath(path);
    const DWORD error = DeleteAccessError(full);
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return {FileFault::Held, kErrPermissionDenied, {}};
    return {};
}

transaction::RunId Win32FilePort::ThisRun()
{
    return {::GetCurrentProcessId(), StartOf(::GetCurrentProcess()).value_or(0)};
}

bool Win32FilePort::IsRunning(const transaction::RunId& run)
{
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, run.process));
    if (!process)
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // anything but "no such process" may run
    // Another process with the same id, started later, is not that run.
    return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT && StartOf(process.get()) == run.started;
}

std::uint64_t Win32FilePort::NowMs()
{
    return ::GetTickCount64();
}

// The user-interface thread never sleeps: its windows repaint meanwhile.
void Win32FilePort::Pause(std::uint32_t ms)
{
    WaitDispatchingMessages(nullptr, ms);
}

} // namespace velmora::win32
