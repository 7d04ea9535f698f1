#pragma once

#include "regchange/reg_file.h"
#include "transaction/file_port_win32.h"
#include "transaction/folder_turn_win32.h"
#include "transaction/staged_files.h"

#include <optional>

namespace velmora::win32
{

/// Registration files on disk, in the system ANSI code page or UTF-16LE, replaced together or not at
/// all by the transaction over the Windows file port; unfinished files are deleted and the folder's
/// turn let go of on destruction.
class Win32RegFileOutput final : public RegFileOutput
{
public:
    void Reserve(std::span<const std::string> targets, transaction::WaitObserver& observer) override;
    void Release() noexcept override
    {
        m_turn.reset();
        m_waits.to = nullptr;
    }
    [[nodiscard]] bool CanEncode(std::string_view text) const override;
    void Create(std::string_view path, FileEncoding encoding) override;
    void WriteLine(std::string_view text) override;
    void Close() override;
    void Commit() override;

private:
    // Hands each wait on to whoever holds the turn; a file written without the turn has nobody.
    struct Forward final : transaction::WaitObserver
    {
        void BeginWait(transaction::WaitReason reason) override
        {
            if (to)
                to->BeginWait(reason);
        }
        void EndWait() noexcept override
        {
            if (to)
                to->EndWait();
        }
        transaction::WaitObserver* to = nullptr;
    };

    Win32FilePort m_port;
    Win32FolderTurn m_folderTurn{L"Velmora.save"};
    Forward m_waits;
    std::optional<transaction::Turn> m_turn;
    transaction::StagedFiles m_files{m_port, m_waits};
    FileEncoding m_encoding = FileEncoding::SystemAnsi;
};

} // namespace velmora::win32
