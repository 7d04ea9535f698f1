// The user-interface thread's wait: it runs the thread's messages and gives WaitForSingleObject's results.
#include "win32/message_wait.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>

using namespace velmora;

namespace
{

win32::UniqueHandle g_dispatched(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // only DispatchMessage sets it

// Each row starts a timer whose callback sets the event; a quit posted first must stop all dispatching.
TEST(MessageWaitWin32, WaitsForItsHandleWhileDispatchingAndKeepsAQuitForTheLoopAbove)
{
    const win32::UniqueHandle abandoned(::CreateMutexW(nullptr, FALSE, nullptr));
    std::thread([&] { ::WaitForSingleObject(abandoned.get(), 0); }).join(); // ends holding it
    const std::tuple<HANDLE, bool, DWORD, bool> rows[] = {{g_dispatched.get(), false, WAIT_OBJECT_0, true},
                                                          {abandoned.get(), false, WAIT_ABANDONED_0, false},
                                                          {g_dispatched.get(), true, WAIT_TIMEOUT, false},
                                                          {nullptr, true, WAIT_TIMEOUT, false}};
    for (int i = 0; i < 4; ++i)
    {
        const auto [handle, quit, expected, dispatched] = rows[i];
        ::ResetEvent(g_dispatched.get());
        ::SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
            ::KillTimer(nullptr, timer);
            ::SetEvent(g_dispatched.get());
        });
        if (quit)
            ::PostQuitMessage(7);
        EXPECT_EQ(win32::WaitDispatchingMessages(handle, quit ? 300 : 10000), expected) << i;
        EXPECT_EQ(::WaitForSingleObject(g_dispatched.get(), 0) == WAIT_OBJECT_0, dispatched) << i;
        MSG kept{};
        EXPECT_EQ(::PeekMessageW(&kept, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && kept.wParam == 7, quit)
            << i << ": posted again, with its code";
    }
    EXPECT_NE(::ReleaseMutex(abandoned.get()), FALSE) << "the wait took the mutex";
}

} // namespace
