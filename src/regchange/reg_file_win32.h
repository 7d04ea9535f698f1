#pragma once

#include "regchange/reg_file.h"
#include "win32/staged_file.h"

namespace velmora::win32
{

/// Registration files on disk, in the system ANSI code page or UTF-16LE, replaced together or not at
/// all; unfinished files are deleted on destruction.
class Win32RegFileOutput final : public RegFileOutput
{
public:
    [[nodiscard]] bool CanEncode(std::string_view text) const override;
    void Create(std::string_view path, FileEncoding encoding) override;
    void WriteLine(std::string_view text) override;
    void Close() override;
    void Commit() override;

private:
    StagedFiles m_files;
    FileEncoding m_encoding = FileEncoding::SystemAnsi;
};

} // namespace velmora::win32
