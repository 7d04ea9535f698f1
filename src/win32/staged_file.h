#pragma once

#include "common/runtime_failure.h"
#include "win32/unique_handle.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::win32
{

/// A Commit that failed and then could not put an old target back: the target holds the new bytes,
/// and the copy of its old bytes is kept.
class RestoreFailed : public RuntimeFailure
{
public:
    RestoreFailed(const RuntimeFailure& cause, std::wstring targetPath, std::wstring copyPath)
        : RuntimeFailure(cause), target(std::move(targetPath)), copy(std::move(copyPath))
    {
    }
    std::wstring target;
    std::wstring copy;
};

/// New files, each written beside its target, that take their targets' places together or not at
/// all: after any failure, and on destruction before Commit, every temporary file is deleted and
/// every target keeps its bytes (or Commit says which copy holds them). The targets of one Commit
/// lie in one folder. What is made beside a target is named after it, the process and a number,
/// <target>.<process id>-<n>, with a kind: .tmp a new file, .old a copy of the old target,
/// .commit the journal of a Commit under way; RecoverLeftovers reads those names.
class StagedFiles
{
public:
    StagedFiles() = default;
    ~StagedFiles() { Discard(); }
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    /// Starts a new temporary file beside the target (75 read-only target or refused folder, 76 no
    /// folder, 58 no free temporary name).
    void Open(std::wstring_view target);
    /// Appends the bytes to the open file (52 when none is open, 61 when the disk is full).
    void Write(std::string_view bytes);
    /// Finishes the open file: its bytes are on the disk, waiting for Commit (52 when none is open).
    void Finish();
    /// Puts every finished file in place of its target, or none: copies the old targets aside, waits
    /// until no other program holds a target, then moves the new files in one right after the other
    /// (52 when a file is still open or none is finished, 70 while another program holds a target,
    /// 75 a target turned read-only, 61 no room for a copy; RestoreFailed when an old target could
    /// not be put back).
    void Commit();
    /// Deletes every temporary file.
    void Discard() noexcept;

    [[nodiscard]] bool IsOpen() const noexcept { return static_cast<bool>(m_open); }

private:
    struct Staged
    {
        std::wstring target;
        std::wstring temporary;
        std::wstring backup; // a copy of the old target until every new file is in place
        bool placed = false;
    };

    void CopyTargetsAside();
    void WriteJournal();

    std::vector<Staged> m_staged;
    std::wstring m_journal;
    std::optional<Staged> m_lost; // a target that Discard could not put back
    UniqueFile m_open;
};

/// Waits, bounded, until no other program has any of the files open; false when one still has.
[[nodiscard]] bool WaitUntilFree(std::span<const std::wstring> files);

/// Clears up what processes that no longer run left beside the targets (in one folder): where a
/// journal shows a Commit cut between its moves, the old targets are put back from their copies;
/// then those processes' files are deleted. The files of a running process are left alone.
void RecoverLeftovers(std::span<const std::wstring> targets) noexcept;

} // namespace velmora::win32
