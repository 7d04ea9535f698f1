#include "win32/staged_file.h"

#include "win32/paths.h"
#include "win32/scope_exit.h"
#include "win32/win32_failure.h"

#include <algorithm>
#include <cstdint>

namespace velmora::win32
{
namespace
{

// Another process holding a target (a registry editor still reading the previous file) usually
// lets go within moments; waiting longer would leave the user looking at a frozen window.
constexpr ULONGLONG kHeldTargetWaitMs = 2000;
constexpr DWORD kRetryPauseMs = 50;
// Leftovers of crashed runs with the same process id are stepped over, but not endlessly.
constexpr unsigned kMaxNameAttempts = 100;
constexpr std::wstring_view kJournalKind = L".commit";
constexpr std::wstring_view kLeftoverKinds[] = {L".tmp", L".old", kJournalKind};
// A journal names two files a target: anything longer is not one.
constexpr DWORD kMaxJournalBytes = 64 * 1024;

using UniqueFindHandle = UniqueAny<InvalidValueHandleTraits<::FindClose>>;

// Wine renames over a read-only file and Windows renames one away, so the refusal is made here.
bool Unreplaceable(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// A name beside the target, in its own folder so that no rename crosses volumes.
std::wstring NameBeside(std::wstring_view target, unsigned attempt, std::wstring_view kind)
{
    return ExtendedLengthPath(std::wstring(target) + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(attempt) + std::wstring(kind));
}

bool IsNameTaken(DWORD error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// Runs the file operation again while another program holds the file, for a bounded time; a file
// held to the end fails as a sharing violation. Wine reports a held file as access denied whatever
// the holder shares; Windows as a sharing violation or, for a rename, access denied.
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

// A new file beside the target under the first name of this process that is free.
UniqueFile CreateBeside(std::wstring_view target, std::wstring_view kind, std::wstring& createdName)
{
    for (unsigned attempt = 1;; ++attempt)
    {
        std::wstring name = NameBeside(target, attempt, kind);
        // CREATE_NEW: never a file that someone else made; no sharing: nobody reads it half-written.
        UniqueFile file(
            ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
        {
            createdName = std::move(name);
            return file;
        }
        const DWORD error = ::GetLastError();
        if (!IsNameTaken(error))
            throw FailureFromWin32(error, FailureSource::File);
        if (attempt == kMaxNameAttempts)
            throw NoFreeTemporaryName(kMaxNameAttempts);
    }
}

void WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &done, nullptr))
            ThrowLastError(FailureSource::File);
        // A full disk may also show as a write that stores nothing and reports success.
        if (done == 0)
            throw RuntimeFailure(kErrDiskFull);
        bytes.remove_prefix(done);
    }
}

bool IsRunning(DWORD processId)
{
    const UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process)
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // anything but "no such process" may run
    return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// The number written in decimal, when it is a process id or an attempt's (at most 32 bits).
std::optional<DWORD> NumberIn(std::wstring_view text)
{
    std::uint64_t number = 0;
    for (const wchar_t c : text)
    {
        if (c < L'0' || c > L'9' || (number = number * 10 + static_cast<unsigned>(c - L'0')) > MAXDWORD)
            return std::nullopt;
    }
    return text.empty() ? std::nullopt : std::optional<DWORD>(static_cast<DWORD>(number));
}

// The process that made the file when it is a leftover of one of the names ("<name>.<id>-<n><kind>"); else 0.
DWORD LeftoverOwner(std::wstring_view file, std::span<const std::wstring> names)
{
    for (const std::wstring& name : names)
    {
        const int length = static_cast<int>(name.size());
        if (file.size() <= name.size() ||
            ::CompareStringOrdinal(file.data(), length, name.data(), length, TRUE) != CSTR_EQUAL)
            continue;
        std::wstring_view rest = file.substr(name.size());
        const auto kind = std::ranges::find_if(kLeftoverKinds, [&](std::wstring_view k) { return rest.ends_with(k); });
        if (kind == std::end(kLeftoverKinds) || !rest.starts_with(L'.'))
            continue;
        rest = rest.substr(1, rest.size() - 1 - kind->size());
        const std::size_t dash = rest.find(L'-');
        const std::optional<DWORD> owner = NumberIn(rest.substr(0, dash));
        if (dash != std::wstring_view::npos && owner && NumberIn(rest.substr(dash + 1)))
            return *owner;
    }
    return 0;
}

std::wstring ReadJournal(const std::wstring& path)
{
    const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    std::wstring text(kMaxJournalBytes / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    if (!file || !::ReadFile(file.get(), text.data(), kMaxJournalBytes, &read, nullptr))
        return {};
    text.resize(read / sizeof(wchar_t));
    return text;
}

// Puts back each target that the journal names from its copy, or deletes it where it had none.
void UndoCutCommit(const std::wstring& folder, const std::wstring& journal, DWORD owner,
                   std::span<const std::wstring> names)
{
    const std::wstring text = ReadJournal(folder + L"\\" + journal);
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2)
    {
        const std::wstring& target = lines[i];
        const std::wstring& copy = lines[i + 1];
        const bool named = std::ranges::any_of(names, [&](const std::wstring& name) {
            return ::CompareStringOrdinal(name.c_str(), -1, target.c_str(), -1, TRUE) == CSTR_EQUAL;
        });
        if (!named || (!copy.empty() && LeftoverOwner(copy, std::span(&target, 1)) != owner))
            continue;
        const std::wstring targetPath = folder + L"\\" + target;
        if (copy.empty())
            ::DeleteFileW(targetPath.c_str());
        else
            ::MoveFileExW((folder + L"\\" + copy).c_str(), targetPath.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
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
    std::wstring temporary;
    m_open = CreateBeside(target, L".tmp", temporary);
    m_staged.push_back({std::move(fullTarget), std::move(temporary), {}, false});
    discard.Release();
}

void StagedFiles::Write(std::string_view bytes)
{
    ScopeExit discard([this] { Discard(); });
    if (!m_open)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    WriteAll(m_open.get(), bytes);
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

// A copy, not a rename: Wine renames the file that a symbolic link points to, not the link.
void StagedFiles::CopyTargetsAside()
{
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
            else if (!IsNameTaken(error))
            {
                ::DeleteFileW(backup.c_str()); // Wine keeps a copy that a full disk cut short
                throw FailureFromWin32(error, FailureSource::File);
            }
            else if (attempt == kMaxNameAttempts)
                throw NoFreeTemporaryName(kMaxNameAttempts);
        }
    }
}

// Names each target and its copy (an empty line: none), flushed before the first move.
void StagedFiles::WriteJournal()
{
    std::wstring text;
    for (const Staged& staged : m_staged)
        text += FileNameOf(staged.target) + L'\n' + FileNameOf(staged.backup) + L'\n';
    const UniqueFile journal = CreateBeside(m_staged.front().target, kJournalKind, m_journal);
    WriteAll(journal.get(), {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)});
    if (!::FlushFileBuffers(journal.get()))
        ThrowLastError(FailureSource::File);
}

// MoveFileExW rather than ReplaceFileW: it replaces a link named like the target instead of writing
// through it, and returns only once the rename is on the disk (Wine's ReplaceFileW leaves rf*.tmp).
void StagedFiles::Commit()
{
    try
    {
        if (m_open || m_staged.empty())
            throw RuntimeFailure(kErrBadFileNameOrNumber);
        CopyTargetsAside();
        std::vector<std::wstring> targets;
        for (const Staged& staged : m_staged)
            targets.push_back(staged.target);
        if (!WaitUntilFree(targets))
            throw FailureFromWin32(ERROR_SHARING_VIOLATION, FailureSource::File);
        WriteJournal();
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
    }
    catch (const RuntimeFailure& failure)
    {
        Discard();
        if (const std::optional<Staged> lost = std::exchange(m_lost, std::nullopt))
            throw RestoreFailed(failure, PlainPath(lost->target), PlainPath(lost->backup));
        throw;
    }
    catch (...)
    {
        Discard();
        throw;
    }
    // Every new file is in place: from here on nothing is to be put back.
    ::DeleteFileW(m_journal.c_str());
    m_journal.clear();
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
    for (Staged& staged : m_staged)
    {
        if (!staged.placed)
        {
            ::DeleteFileW(staged.temporary.c_str());
            if (!staged.backup.empty())
                ::DeleteFileW(staged.backup.c_str());
        }
        else if (staged.backup.empty())
            ::DeleteFileW(staged.target.c_str()); // there was no old file
        else if (RetryWhileHeld(staged.target,
                                [&] {
                                    return ::MoveFileExW(staged.backup.c_str(), staged.target.c_str(),
                                                         MOVEFILE_REPLACE_EXISTING) != FALSE;
                                }) != ERROR_SUCCESS &&
                 !m_lost)
            m_lost = std::move(staged); // its copy stays, and Commit says where
    }
    // Last: should this process die before, the next save puts back the rest.
    if (!m_journal.empty())
        ::DeleteFileW(m_journal.c_str());
    m_journal.clear();
    m_staged.clear();
}

bool WaitUntilFree(std::span<const std::wstring> files)
{
    // Opening for deletion, sharing everything, conflicts with every handle that does not share
    // deletion: a reader's, or a hold's.
    const auto held = [](const std::wstring& file) {
        const UniqueFile probe(::CreateFileW(file.c_str(), DELETE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = ::GetLastError();
        return !probe && (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION);
    };
    const ULONGLONG deadline = ::GetTickCount64() + kHeldTargetWaitMs;
    while (std::ranges::any_of(files, held))
    {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(kRetryPauseMs);
    }
    return true;
}

void RecoverLeftovers(std::span<const std::wstring> targets) noexcept
try
{
    const std::wstring folder = FolderOf(targets.front());
    std::vector<std::wstring> names;
    for (const std::wstring& target : targets)
        names.push_back(FileNameOf(target));
    std::vector<std::pair<DWORD, std::wstring>> leftovers; // each with the process that made it
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    for (BOOL more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found))
    {
        if (const DWORD owner = LeftoverOwner(found.cFileName, names); owner != 0 && !IsRunning(owner))
            leftovers.emplace_back(owner, found.cFileName);
    }
    search.reset();
    for (const auto& [owner, file] : leftovers)
    {
        if (file.ends_with(kJournalKind))
            UndoCutCommit(folder, file, owner, names);
    }
    // The journals last, so that a recovery cut short is done again by the next save.
    for (const bool journals : {false, true})
    {
        for (const auto& [owner, file] : leftovers)
        {
            if (file.ends_with(kJournalKind) == journals)
                ::DeleteFileW((folder + L"\\" + file).c_str());
        }
    }
}
catch (...)
{
    // What is not cleared up now is cleared up by the next save.
}

} // namespace velmora::win32
