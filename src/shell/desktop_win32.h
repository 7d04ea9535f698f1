#pragma once

#include "shell/desktop.h"
#include "transaction/reader_hold_win32.h"
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
    HeldOpen ShellOpenHeld(WindowRef owner, std::string_view shellPath, std::string_view heldPath,
                           std::string_view trustedReader) override;
    std::string ApplicationFolder() override;
    std::string ShortPath(std::string_view path) override;
    AppIdentity Identity() override { return kAppIdentity; }

    /// Waits until every file held for its reader is let go of (each hold has its own bound): the
    /// program outlives its windows until then, so that no later save replaces a file unread.
    void WaitForHolds() noexcept;

private:
    std::int32_t Execute(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int showMode, UniqueHandle* process);

    std::vector<std::unique_ptr<ReaderHold>> m_holds;
};

} // namespace velmora::win32
