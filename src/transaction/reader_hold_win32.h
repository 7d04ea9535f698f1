#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

#include <atomic>

namespace velmora::win32
{

/// A file held open for reading only, so that nobody may write, rename or delete it, until a
/// process ends or a time runs out (without a process, for the whole time); released early when
/// the object goes.
class ReaderHold
{
public:
    ReaderHold(UniqueFile file, UniqueHandle process, DWORD maxMs);
    ~ReaderHold();
    ReaderHold(const ReaderHold&) = delete;
    ReaderHold& operator=(const ReaderHold&) = delete;

    [[nodiscard]] bool Released() const noexcept { return m_released; }
    /// Set once the file is let go of.
    [[nodiscard]] HANDLE ReleasedEvent() const noexcept { return m_releasedEvent.get(); }

private:
    static void CALLBACK Release(void* context, BOOLEAN timedOut) noexcept;

    UniqueFile m_file;
    UniqueHandle m_end; // the process, or an event that is never set
    UniqueHandle m_releasedEvent{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HANDLE m_wait = nullptr;
    std::atomic<bool> m_released = false;
};

} // namespace velmora::win32
