#pragma once

#include "regchange/reg_file.h"
#include "win32/unique_handle.h"

namespace velmora::win32
{

/// The registration file on disk, in the system ANSI code page; an open file is closed on destruction.
class Win32RegFileOutput final : public RegFileOutput
{
public:
    [[nodiscard]] bool CanEncode(std::string_view text) const override;
    void Create(std::string_view path, FileEncoding encoding) override;
    void WriteLine(std::string_view text) override;
    void Close() override;

private:
    UniqueFile m_file;
};

} // namespace velmora::win32
