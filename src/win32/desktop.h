#pragma once

#include "common/desktop.h"

#include <string>

namespace velmora::win32
{

/// Message boxes, the shell, and the program's folder and identity, on the Win32 desktop.
class Win32Desktop : public Desktop
{
public:
    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override;
    std::int32_t ShellOpen(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showMode) override;
    std::string ApplicationFolder() override;
    AppIdentity Identity() override { return kAppIdentity; }
};

/// The full path of the running program, however long.
std::wstring ModulePath();

} // namespace velmora::win32
