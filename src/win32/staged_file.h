#pragma once

#include "common/runtime_failure.h"
#include "win32/unique_handle.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora::win32
{

/// New files, each written beside its target, that take their targets' places together or not at
/// all: after any failure, and on destruction before Commit, every temporary file is deleted and
/// every target keeps its bytes.
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
    /// Puts every finished file in place of its target, or none (52 when a file is still open or
    /// none is finished, 70 while another program holds a target, 75 a target turned read-only).
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

    std::vector<Staged> m_staged;
    UniqueFile m_open;
};

} // namespace velmora::win32
