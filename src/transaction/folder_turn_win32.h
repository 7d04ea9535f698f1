#pragma once

#include "transaction/file_port.h"
#include "win32/unique_handle.h"

#include <string>

namespace velmora::win32
{

/// A turn that the processes of the session take one after another for one purpose in one folder:
/// a named mutex named after the folder's identity, so that every spelling of the folder (long,
/// short, \\?\) shares it; after its full path when its identity cannot be read. Let go of on
/// destruction, at the latest.
class Win32FolderTurn final : public transaction::FolderTurn
{
public:
    explicit Win32FolderTurn(std::wstring purpose) : m_purpose(std::move(purpose)) {}
    ~Win32FolderTurn() override { Release(); }
    Win32FolderTurn(const Win32FolderTurn&) = delete;
    Win32FolderTurn& operator=(const Win32FolderTurn&) = delete;

    [[nodiscard]] bool Take(const std::string& folder, std::uint32_t maxMs) override;
    void Release() noexcept override;

private:
    std::wstring m_purpose;
    UniqueHandle m_mutex;
};

} // namespace velmora::win32
