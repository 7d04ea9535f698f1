#pragma once

#include "common/runtime_failure.h"
#include "transaction/file_port.h"
#include "transaction/journal.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::transaction
{

/// A file operation that failed, with what went wrong.
class FileFailure : public RuntimeFailure
{
public:
    FileFailure(FileFault fault, const RuntimeFailure& failure) : RuntimeFailure(failure), m_fault(fault) {}
    [[nodiscard]] FileFault Fault() const noexcept { return m_fault; }

private:
    FileFault m_fault;
};

/// A bounded wait that ran out: another save kept the folder's turn, or a program kept a file (70).
class WaitRanOut : public RuntimeFailure
{
public:
    explicit WaitRanOut(WaitReason reason) : RuntimeFailure(kErrPermissionDenied), m_reason(reason) {}
    [[nodiscard]] WaitReason Reason() const noexcept { return m_reason; }

private:
    WaitReason m_reason;
};

/// A Commit that failed and then could not put an old target back: the target holds the new bytes,
/// the copy of its old bytes is kept, and so is the journal, for the next save to try again.
class RestoreFailed : public FileFailure
{
public:
    RestoreFailed(const FileFailure& cause, std::string targetPath, std::string copyPath)
        : FileFailure(cause), target(std::move(targetPath)), copy(std::move(copyPath))
    {
    }
    std::string target;
    std::string copy;
};

/// New files, each written beside its target, that take their targets' places together or not at
/// all: after any failure, and on destruction before Commit, every new file is deleted and every
/// target keeps its bytes (or Commit says which copy holds them). The targets lie in one folder.
/// What is made beside a target is named by NameBeside: new files, copies of the old targets, and
/// the journal of a commit under way, which RecoverLeftovers reads should the commit be cut short.
class StagedFiles
{
public:
    StagedFiles(FilePort& port, WaitObserver& observer) : m_port(port), m_observer(observer) {}
    ~StagedFiles() { Discard(); }
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    /// Starts a new file beside the target (75 read-only target or refused folder, 76 no folder, 58
    /// no free name).
    void Open(const std::string& target);
    /// Appends the bytes to the open file (52 when none is open, 61 when the disk is full).
    void Write(std::string_view bytes);
    /// Finishes the open file: its bytes are on the disk, waiting for Commit (52 when none is open).
    void Finish();
    /// Puts every finished file in place of its target, or none: copies the old targets aside, waits
    /// until no program holds a target, writes the journal, then moves the new files in one right
    /// after the other (52 when a file is still open or none is finished, 70 while a program holds a
    /// target, 75 a target turned read-only, 61 no room for a copy; RestoreFailed when an old target
    /// could not be put back).
    void Commit();
    /// Deletes every new file and puts back every target already replaced.
    void Discard() noexcept;

    [[nodiscard]] bool IsOpen() const noexcept { return m_open.has_value(); }

private:
    struct Staged
    {
        std::string target;
        std::string staged;
        std::string copy; // the old target's bytes until every new file is in place
        std::uint64_t size = 0;
        std::uint64_t hash = kEmptyHash;
        std::uint64_t oldSize = 0;
        std::uint64_t oldHash = 0;
        bool placed = false;
    };

    void CopyTargetsAside();
    void WriteJournal();
    void Restore(Staged& staged) noexcept;

    FilePort& m_port;
    WaitObserver& m_observer;
    std::vector<Staged> m_staged;
    std::string m_journal;
    std::optional<Staged> m_lost; // a target that Discard could not put back
    std::optional<FileToken> m_open;
};

/// Waits, bounded, until no program holds any of the files; false when one still does.
[[nodiscard]] bool WaitUntilFree(FilePort& port, WaitObserver& observer, std::span<const std::string> files,
                                 WaitReason reason);

/// Clears up what ended runs, and this one, left beside the targets (in one folder): where a journal
/// shows a commit cut between its moves, the targets it replaced are put back from their copies; a
/// journal of a finished commit, or one that later saves overtook, is applied to nothing. Then those
/// runs' files go. Fails (FileFailure) when a target cannot be put back: that run's journal and
/// copies stay, for the next save to try again. Another running program's files are left alone.
void RecoverLeftovers(FilePort& port, std::span<const std::string> targets);

/// The folder's turn for one transaction, from before it reads what it will replace until it lets
/// go: taken, bounded, then the targets waited for until the reader of the previous transaction lets
/// go, then the leftovers of cut transactions cleared up. Let go of on destruction.
class Turn
{
public:
    /// Fails with WaitRanOut when another save keeps the turn or a program the targets, or as
    /// RecoverLeftovers fails; the turn is let go of then.
    Turn(FolderTurn& turn, FilePort& port, WaitObserver& observer, std::span<const std::string> targets);
    ~Turn() { m_turn.Release(); }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

private:
    FolderTurn& m_turn;
};

} // namespace velmora::transaction
