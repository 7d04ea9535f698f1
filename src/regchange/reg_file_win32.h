#pragma once

#include "regchange/reg_file.h"
#include "win32/folder_turn.h"
#include "win32/staged_file.h"

namespace velmora::win32
{

/// Registration files on disk, in the system ANSI code page or UTF-16LE, replaced together or not at
/// all; unfinished files are deleted and the folder's turn let go of on destruction.
class Win32RegFileOutput final : public RegFileOutput
{
public:
    void Reserve(std::span<const std::string> targets) override;
    void Release() noexcept override { m_turn.Release(); }
    [[nodiscard]] bool CanEncode(std::string_view text) const override;
    void Create(std::string_view path, FileEncoding encoding) override;
    void WriteLine(std::string_view text) override;
    void Close() override;
    void Commit() override;

private:
    FolderTurn m_turn;
    StagedFiles m_files;
    FileEncoding m_encoding = FileEncoding::SystemAnsi;
};

} // namespace velmora::win32
