#include "transaction/staged_files.h"

#include "transaction/time_bounds.h"

#include <algorithm>
#include <utility>

namespace velmora::transaction
{
namespace
{

[[noreturn]] void Throw(const FileResult& result)
{
    throw FileFailure(result.fault, result.description.empty() ? RuntimeFailure(result.number)
                                                               : RuntimeFailure(result.number, result.description));
}

void ThrowIfFailed(const FileResult& result)
{
    if (!result.Ok())
        Throw(result);
}

FileResult Refused(FileFault fault, std::int32_t number)
{
    return {fault, number, {}};
}

std::string FolderOf(std::string_view path)
{
    return std::string(path.substr(0, path.find_last_of('\\')));
}

std::string FileNameOf(std::string_view path)
{
    return std::string(path.substr(path.find_last_of('\\') + 1));
}

std::string InFolder(const std::string& folder, std::string_view name)
{
    return folder + "\\" + std::string(name);
}

// Shows the user what the transaction waits for from its first pause to its end.
class WaitNotice
{
public:
    WaitNotice(WaitObserver& observer, WaitReason reason) : m_observer(observer), m_reason(reason) {}
    ~WaitNotice()
    {
        if (m_begun)
            m_observer.EndWait();
    }
    WaitNotice(const WaitNotice&) = delete;
    WaitNotice& operator=(const WaitNotice&) = delete;

    void Pause(FilePort& port)
    {
        if (!m_begun)
            m_observer.BeginWait(m_reason);
        m_begun = true;
        port.Pause(kRetryPauseMs);
    }

private:
    WaitObserver& m_observer;
    WaitReason m_reason;
    bool m_begun = false;
};

// Runs the operation again while a program holds its file, for a bounded time; the last result.
template <class Operation>
FileResult RetryWhileHeld(FilePort& port, WaitObserver& observer, Operation operation)
{
    WaitNotice notice(observer, WaitReason::HeldTarget);
    const std::uint64_t deadline = port.NowMs() + kHeldTargetWaitMs;
    for (;;)
    {
        FileResult result = operation();
        if (result.fault != FileFault::Held || port.NowMs() >= deadline)
            return result;
        notice.Pause(port);
    }
}

// Makes a file beside the target under the first of this run's names that is free (a crashed run
// with the same process id may have taken some); its path, or none where a copy found no target.
template <class Make>
std::string MakeBeside(FilePort& port, const std::string& target, LeftoverKind kind, Make make)
{
    const std::string folder = FolderOf(target);
    const std::string name = FileNameOf(target);
    const RunId run = port.ThisRun();
    for (unsigned attempt = 1;; ++attempt)
    {
        std::string path = InFolder(folder, NameBeside(name, run, attempt, kind));
        const FileResult result = make(path);
        if (result.Ok())
            return path;
        if (result.fault == FileFault::NotFound && kind == LeftoverKind::Copy)
            return {}; // no old file to copy
        if (result.fault != FileFault::Exists)
            Throw(result);
        if (attempt == kMaxNameAttempts)
            throw NoFreeTemporaryName(kMaxNameAttempts);
    }
}

// What a target holds now, against what a journal says of it.
enum class TargetState
{
    Old,       // its old bytes, or nothing when it had none: nothing to put back
    New,       // the new file the commit put there: to be put back
    Lacking,   // nothing, where it had an old file: to be put back
    Overtaken, // something else: a later save replaced it
};

bool Listed(const std::vector<std::string>& listed, std::string_view name)
{
    return std::ranges::any_of(listed, [&](const std::string& file) { return SameFileName(file, name); });
}

TargetState StateOf(FilePort& port, const std::string& folder, const JournalEntry& entry,
                    const std::vector<std::string>& listed)
{
    std::string bytes;
    const FileResult read = port.Read(InFolder(folder, entry.target), bytes);
    if (read.fault == FileFault::NotFound && !Listed(listed, entry.target))
        return entry.copy.empty() ? TargetState::Old : TargetState::Lacking;
    ThrowIfFailed(read); // what it holds cannot be told: nothing is touched
    const auto holds = [&](std::uint64_t size, std::uint64_t hash) {
        return bytes.size() == size && ContentHash(bytes) == hash;
    };
    if (!entry.copy.empty() && holds(entry.oldSize, entry.oldHash))
        return TargetState::Old;
    return holds(entry.size, entry.hash) ? TargetState::New : TargetState::Overtaken;
}

// Puts back what a cut commit replaced; a journal of a finished commit or an overtaken one changes
// nothing. A failure leaves the journal and every copy it names for the next save. `listed` is what
// the folder held before.
void ApplyJournal(FilePort& port, const std::string& folder, const std::string& journal,
                  const std::vector<std::string>& listed)
{
    std::string text;
    ThrowIfFailed(port.Read(InFolder(folder, journal), text));
    // A journal cut short was being written when its run ended: no move had begun.
    const std::optional<std::vector<JournalEntry>> entries = ParseJournal(text);
    if (!entries)
        return;
    std::vector<TargetState> states;
    for (const JournalEntry& entry : *entries)
        states.push_back(StateOf(port, folder, entry, listed));
    if (std::ranges::count(states, TargetState::Overtaken) > 0 ||
        std::ranges::count(states, TargetState::New) == static_cast<std::ptrdiff_t>(states.size()))
        return;
    for (std::size_t i = 0; i < entries->size(); ++i)
    {
        const JournalEntry& entry = (*entries)[i];
        const std::string target = InFolder(folder, entry.target);
        if (states[i] == TargetState::Old)
            continue;
        if (entry.copy.empty())
            ThrowIfFailed(port.Delete(target));
        // A copy that was gone before can never be put back; what it held is lost already.
        else if (Listed(listed, entry.copy))
            ThrowIfFailed(port.Replace(InFolder(folder, entry.copy), target));
    }
}

} // namespace

void StagedFiles::Open(const std::string& target)
{
    try
    {
        if (m_open)
            throw RuntimeFailure(kErrBadFileNameOrNumber);
        if (m_port.IsReadOnly(target))
            Throw(Refused(FileFault::Denied, kErrPathFileAccess));
        FileToken file = 0;
        std::string staged = MakeBeside(m_port, target, LeftoverKind::Staged,
                                        [&](const std::string& path) { return m_port.CreateNew(path, file); });
        m_open = file;
        Staged added;
        added.target = target;
        added.staged = std::move(staged);
        m_staged.push_back(std::move(added));
    }
    catch (...)
    {
        Discard();
        throw;
    }
}

void StagedFiles::Write(std::string_view bytes)
{
    try
    {
        if (!m_open)
            throw RuntimeFailure(kErrBadFileNameOrNumber);
        ThrowIfFailed(m_port.Write(*m_open, bytes));
        m_staged.back().size += bytes.size();
        m_staged.back().hash = ContentHash(bytes, m_staged.back().hash);
    }
    catch (...)
    {
        Discard();
        throw;
    }
}

void StagedFiles::Finish()
{
    try
    {
        if (!m_open)
            throw RuntimeFailure(kErrBadFileNameOrNumber);
        // The bytes reach the disk before a name points at them: a crash must not leave an empty target.
        ThrowIfFailed(m_port.FlushAndClose(*std::exchange(m_open, std::nullopt)));
    }
    catch (...)
    {
        Discard();
        throw;
    }
}

// A copy, not a rename: a rename would move the file that a symbolic link points to, not the link.
// Its bytes are read back for the journal, which recognises the old file by them.
void StagedFiles::CopyTargetsAside()
{
    for (Staged& staged : m_staged)
    {
        if (m_port.IsReadOnly(staged.target))
            Throw(Refused(FileFault::Denied, kErrPathFileAccess));
        staged.copy = MakeBeside(m_port, staged.target, LeftoverKind::Copy, [&](const std::string& path) {
            const FileResult copied =
                RetryWhileHeld(m_port, m_observer, [&] { return m_port.Copy(staged.target, path); });
            if (!copied.Ok() && copied.fault != FileFault::Exists && copied.fault != FileFault::NotFound)
                (void)m_port.Delete(path); // a copy that a full disk cut short
            return copied;
        });
        if (staged.copy.empty())
            continue;
        std::string bytes;
        ThrowIfFailed(m_port.Read(staged.copy, bytes));
        staged.oldSize = bytes.size();
        staged.oldHash = ContentHash(bytes);
    }
}

// Flushed before the first move; should the commit be cut short, the next save reads it.
void StagedFiles::WriteJournal()
{
    std::vector<JournalEntry> entries;
    for (const Staged& staged : m_staged)
        entries.push_back({FileNameOf(staged.target), FileNameOf(staged.staged),
                           staged.copy.empty() ? std::string() : FileNameOf(staged.copy), staged.size, staged.hash,
                           staged.oldSize, staged.oldHash});
    FileToken file = 0;
    m_journal = MakeBeside(m_port, m_staged.front().target, LeftoverKind::Journal,
                           [&](const std::string& path) { return m_port.CreateNew(path, file); });
    FileResult written = m_port.Write(file, JournalText(entries));
    if (written.Ok())
        written = m_port.FlushAndClose(file);
    else
        m_port.Abandon(file);
    ThrowIfFailed(written); // Discard deletes it
}

void StagedFiles::Commit()
{
    try
    {
        if (m_open || m_staged.empty())
            throw RuntimeFailure(kErrBadFileNameOrNumber);
        CopyTargetsAside();
        std::vector<std::string> targets;
        for (const Staged& staged : m_staged)
            targets.push_back(staged.target);
        if (!WaitUntilFree(m_port, m_observer, targets, WaitReason::HeldTarget))
            throw WaitRanOut(WaitReason::HeldTarget);
        WriteJournal();
        for (Staged& staged : m_staged)
        {
            ThrowIfFailed(
                RetryWhileHeld(m_port, m_observer, [&] { return m_port.Replace(staged.staged, staged.target); }));
            staged.placed = true;
        }
    }
    catch (const FileFailure& failure)
    {
        Discard();
        if (const std::optional<Staged> lost = std::exchange(m_lost, std::nullopt))
            throw RestoreFailed(failure, lost->target, lost->copy);
        throw;
    }
    catch (...)
    {
        Discard();
        throw;
    }
    // Every new file is in place. A journal that outlives this (its deletion failed) is recognised as
    // finished by the bytes of the new files, and a copy as left by a run that no longer needs it.
    (void)m_port.Delete(std::exchange(m_journal, {}));
    for (const Staged& staged : m_staged)
    {
        if (!staged.copy.empty())
            (void)m_port.Delete(staged.copy);
    }
    m_staged.clear();
}

void StagedFiles::Restore(Staged& staged) noexcept
{
    const FileResult restored =
        staged.copy.empty()
            ? m_port.Delete(staged.target) // there was no old file
            : RetryWhileHeld(m_port, m_observer, [&] { return m_port.Replace(staged.copy, staged.target); });
    if (!restored.Ok() && !m_lost)
        m_lost = staged;
    if (!restored.Ok())
        m_journal.clear(); // kept, with the copy: the next save puts the target back
}

void StagedFiles::Discard() noexcept
{
    if (m_open)
        m_port.Abandon(*std::exchange(m_open, std::nullopt));
    for (Staged& staged : m_staged)
    {
        if (staged.placed)
            Restore(staged);
        else
        {
            (void)m_port.Delete(staged.staged);
            if (!staged.copy.empty())
                (void)m_port.Delete(staged.copy);
        }
    }
    // Last: should this run end before, the next save puts back the rest.
    if (!m_journal.empty())
        (void)m_port.Delete(std::exchange(m_journal, {}));
    m_staged.clear();
}

bool WaitUntilFree(FilePort& port, WaitObserver& observer, std::span<const std::string> files, WaitReason reason)
{
    WaitNotice notice(observer, reason);
    const std::uint64_t deadline = port.NowMs() + kHeldTargetWaitMs;
    while (std::ranges::any_of(files,
                               [&](const std::string& file) { return port.ProbeHeld(file).fault == FileFault::Held; }))
    {
        if (port.NowMs() >= deadline)
            return false;
        notice.Pause(port);
    }
    return true;
}

void RecoverLeftovers(FilePort& port, std::span<const std::string> targets)
{
    const std::string folder = FolderOf(targets.front());
    std::vector<std::string> names;
    for (const std::string& target : targets)
        names.push_back(FileNameOf(target));
    std::vector<std::string> files;
    ThrowIfFailed(port.List(folder, files));
    // Under the turn no transaction of this run is under way, so its own leftovers are stale too.
    const RunId thisRun = port.ThisRun();
    std::vector<std::pair<std::string, LeftoverKind>> stale;
    for (const std::string& file : files)
    {
        const std::optional<Leftover> leftover = ParseLeftover(file, names);
        if (leftover && (leftover->run == thisRun || !port.IsRunning(leftover->run)))
            stale.emplace_back(file, leftover->kind);
    }
    for (const auto& [file, kind] : stale)
    {
        if (kind == LeftoverKind::Journal)
            ApplyJournal(port, folder, file, files);
    }
    // Every target holds what the pair needs now. What cannot be deleted is deleted by a later save.
    for (const auto& [file, kind] : stale)
        (void)port.Delete(InFolder(folder, file));
}

Turn::Turn(FolderTurn& turn, FilePort& port, WaitObserver& observer, std::span<const std::string> targets)
    : m_turn(turn)
{
    const std::string folder = FolderOf(targets.front());
    if (!turn.Take(folder, 0))
    {
        observer.BeginWait(WaitReason::AnotherSave);
        const bool taken = turn.Take(folder, kTurnWaitMs);
        observer.EndWait();
        if (!taken)
            throw WaitRanOut(WaitReason::AnotherSave);
    }
    try
    {
        // The value read next is the one this save replaces only once the previous save's reader is done.
        if (!WaitUntilFree(port, observer, targets, WaitReason::Reader))
            throw WaitRanOut(WaitReason::Reader);
        RecoverLeftovers(port, targets);
    }
    catch (...)
    {
        turn.Release();
        throw;
    }
}

} // namespace velmora::transaction
