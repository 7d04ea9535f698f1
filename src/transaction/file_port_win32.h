#pragma once

#include "transaction/file_port.h"
#include "win32/unique_handle.h"

#include <map>

namespace velmora::win32
{

/// The transaction's file port on Windows: each operation one call, its error mapped to a fault.
class Win32FilePort final : public transaction::FilePort
{
public:
    transaction::FileResult CreateNew(const std::string& path, transaction::FileToken& file) override;
    transaction::FileResult Write(transaction::FileToken file, std::string_view bytes) override;
    transaction::FileResult FlushAndClose(transaction::FileToken file) override;
    void Abandon(transaction::FileToken file) noexcept override;
    transaction::FileResult Copy(const std::string& from, const std::string& to) override;
    transaction::FileResult Replace(const std::string& from, const std::string& to) override;
    transaction::FileResult Delete(const std::string& path) override;
    transaction::FileResult Read(const std::string& path, std::string& bytes) override;
    transaction::FileResult List(const std::string& folder, std::vector<std::string>& names) override;
    bool IsReadOnly(const std::string& path) override;
    transaction::FileResult ProbeHeld(const std::string& path) override;
    transaction::RunId ThisRun() override;
    bool IsRunning(const transaction::RunId& run) override;
    std::uint64_t NowMs() override;
    void Pause(std::uint32_t ms) override;

private:
    std::map<transaction::FileToken, UniqueFile> m_open;
    transaction::FileToken m_lastToken = 0;
};

/// The fault of a Win32 error of an operation on the file at the path: access denied is a holder's
/// doing only when the file cannot be opened for deletion by anyone now.
transaction::FileResult FileResultOf(unsigned long error, const std::wstring& path);

} // namespace velmora::win32
