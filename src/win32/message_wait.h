#pragma once

#include <windows.h>

namespace velmora::win32
{

/// Waits, as WaitForSingleObject does and with its results, for the handle (none: for the time
/// alone) while the thread's sent and posted messages are dispatched, so that its windows repaint.
/// A WM_QUIT met meanwhile is posted again, and the rest of the wait dispatches nothing.
DWORD WaitDispatchingMessages(HANDLE handle, DWORD timeoutMs);

} // namespace velmora::win32
