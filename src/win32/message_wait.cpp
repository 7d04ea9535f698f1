#include "win32/message_wait.h"

namespace velmora::win32
{
namespace
{

// What is left of the wait; INFINITE stays so.
DWORD Remaining(ULONGLONG start, DWORD timeoutMs)
{
    if (timeoutMs == INFINITE)
        return INFINITE;
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    return elapsed >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - elapsed);
}

// Once the program is asked to end, the wait goes on without running any more of it.
DWORD WaitWithoutMessages(HANDLE handle, DWORD remainingMs)
{
    if (handle)
        return ::WaitForSingleObject(handle, remainingMs);
    ::Sleep(remainingMs);
    return WAIT_TIMEOUT;
}

} // namespace

DWORD WaitDispatchingMessages(HANDLE handle, DWORD timeoutMs)
{
    const ULONGLONG start = ::GetTickCount64();
    const DWORD count = handle ? 1 : 0;
    for (;;)
    {
        const DWORD remaining = Remaining(start, timeoutMs);
        // MWMO_INPUTAVAILABLE: a message that an earlier peek saw but left in the queue wakes the
        // wait too; without it the wait would sleep over it.
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(count, handle ? &handle : nullptr, remaining, QS_ALLINPUT,
                                                          MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + count)
            return woken; // the handle's own result, the time's end, or a failure
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return WaitWithoutMessages(handle, Remaining(start, timeoutMs));
            }
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        // Time is up: messages that keep coming must not keep the wait from its end.
        if (remaining == 0)
            return handle ? ::WaitForSingleObject(handle, 0) : WAIT_TIMEOUT;
    }
}

} // namespace velmora::win32
