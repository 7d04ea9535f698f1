#include "transaction/reader_hold_win32.h"

namespace velmora::win32
{

ReaderHold::ReaderHold(UniqueFile file, UniqueHandle process, DWORD maxMs)
    : m_file(std::move(file)),
      m_end(process ? std::move(process) : UniqueHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr)))
{
    if (!::RegisterWaitForSingleObject(&m_wait, m_end.get(), Release, this, maxMs, WT_EXECUTEONLYONCE))
    {
        m_wait = nullptr;
        Release(this, FALSE);
    }
}

ReaderHold::~ReaderHold()
{
    // Waits for a release that is running: after this, nothing else touches the file handle.
    if (m_wait)
        ::UnregisterWaitEx(m_wait, INVALID_HANDLE_VALUE);
}

void CALLBACK ReaderHold::Release(void* context, BOOLEAN) noexcept
{
    auto* hold = static_cast<ReaderHold*>(context);
    hold->m_file.reset();
    hold->m_released = true;
    ::SetEvent(hold->m_releasedEvent.get());
}

} // namespace velmora::win32
