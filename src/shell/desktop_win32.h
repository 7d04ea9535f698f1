#pragma once

#include "shell/desktop.h"
#include "win32/reader_hold.h"
#include "win32/unique_handle.h"

#include <memory>
#include <string>
#include <vector>

namespace velmora::win32
{

/// Message boxes, the shell, and the program's folder and identity, on the Win32 desktop.
class Win32Desktop : public Desktop
{
public:
    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override;
    std::int32_t ShellOpen(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showMode) override;
    std::int32_t ShellOpenHeld(WindowRef owner, std::string_view file, std::string_view trustedReader) override;
    std::string ApplicationFolder() override;
    std::string ShortPath(std::string_view path) override;
    AppIdentity Identity() override { return kAppIdentity; }

private:
    std::int32_t Execute(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int showMode, UniqueHandle* process);

    std::vector<std::unique_ptr<ReaderHold>> m_holds;
};

} // namespace velmora::win32
