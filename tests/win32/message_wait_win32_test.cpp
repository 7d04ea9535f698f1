// The user-interface thread's wait: it runs the thread's messages and gives WaitForSingleObject's results.
#include "win32/message_wait.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <thread>

using namespace velmora;

namespace
{

win32::UniqueHandle g_dispatched(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // only DispatchMessage sets it

// Each row starts a timer whose callback sets the event; a quit posted first must stop all dispatching.
TEST(MessageWaitWin32, WaitsForItsHandleWhileDispatchingAndKeepsAQuitForTheLoopAbove)
{
    const win32::UniqueHandle abandoned(::CreateMutexW(nullptr, FALSE, nullptr));
    std::thread([&] { ::WaitForSingleObject(abandoned.get(), 0); }).join(); // ends holding it
    const struct
    {
        HANDLE handle;
        bool quit;
        DWORD expected;
        bool dispatched;
    } rows[] = {{g_dispatched.get(), false, WAIT_OBJECT_0, true},
                {abandoned.get(), false, WAIT_ABANDONED_0, false},
                {g_dispatched.get(), true, WAIT_TIMEOUT, false},
                {nullptr, true, WAIT_TIMEOUT, false}};
    for (const auto& row : rows)
    {
        ::ResetEvent(g_dispatched.get());
        ::SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
            ::KillTimer(nullptr, timer);
            ::SetEvent(g_dispatched.get());
        });
        if (row.quit)
            ::PostQuitMessage(7);
        const int i = static_cast<int>(&row - rows);
        EXPECT_EQ(win32::WaitDispatchingMessages(row.handle, row.quit ? 300 : 10000), row.expected) << i;
        EXPECT_EQ(::WaitForSingleObject(g_dispatched.get(), 0) == WAIT_OBJECT_0, row.dispatched) << i;
        MSG quit{};
        const bool quitKept = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7;
        EXPECT_EQ(quitKept, row.quit) << i << ": posted again, with its code";
    }
    EXPECT_NE(::ReleaseMutex(abandoned.get()), FALSE) << "the wait took the mutex";
}

} // namespace
