#pragma once

#include "common/desktop.h"
#include "win32/unique_handle.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace velmora::win32
{

/// A file held open for reading only, so that nobody may write, rename or delete it, until a
/// process ends or a time runs out; released early when the object goes.
class ReaderHold
{
public:
    ReaderHold(UniqueFile file, UniqueHandle process, DWORD maxMs);
    ~ReaderHold();
    ReaderHold(const ReaderHold&) = delete;
    ReaderHold& operator=(const ReaderHold&) = delete;

    [[nodiscard]] bool Released() const noexcept { return m_released; }

private:
    static void CALLBACK Release(void* context, BOOLEAN timedOut);

    UniqueFile m_file;
    UniqueHandle m_process;
    HANDLE m_wait = nullptr;
    std::atomic<bool> m_released = false;
};

/// Message boxes, the shell, and the program's folder and identity, on the Win32 desktop.
class Win32Desktop : public Desktop
{
public:
    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override;
    std::int32_t ShellOpen(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showMode) override;
    std::int32_t ShellOpenHeld(WindowRef owner, std::string_view file) override;
    std::string ApplicationFolder() override;
    std::string ShortPath(std::string_view path) override;
    AppIdentity Identity() override { return kAppIdentity; }

private:
    std::int32_t Execute(WindowRef owner, std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int showMode, UniqueHandle* process);

    std::vector<std::unique_ptr<ReaderHold>> m_holds;
};

/// The full path of the running program, however long.
std::wstring ModulePath();

} // namespace velmora::win32
