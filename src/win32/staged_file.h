#pragma once

#include "common/runtime_failure.h"
#include "win32/unique_handle.h"

#include <string>
#include <string_view>

namespace velmora::win32
{

/// A new file written beside its target that takes the target's place in one step, or leaves no trace:
/// after any failure, and on destruction before Commit, the temporary file is closed and deleted.
class StagedFile
{
public:
    StagedFile() = default;
    ~StagedFile() { Discard(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    /// Starts a new temporary file beside the target (75 read-only target or refused folder, 76 no folder).
    void Open(std::wstring_view target);
    /// Appends the bytes (52 when nothing is open, 61 when the disk is full).
    void Write(std::string_view bytes);
    /// Puts the written file in place of the target (52 when nothing is open, 70 while another program
    /// holds the target); on failure the target stays as it was.
    void Commit();
    /// Deletes the temporary file, if any.
    void Discard() noexcept;

    [[nodiscard]] bool IsOpen() const noexcept { return static_cast<bool>(m_file); }

private:
    [[noreturn]] void DiscardAndThrow(const RuntimeFailure& failure);

    std::wstring m_target;
    std::wstring m_temporary;
    UniqueFile m_file;
};

} // namespace velmora::win32
