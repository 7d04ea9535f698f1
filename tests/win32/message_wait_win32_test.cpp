// The wait of the user-interface thread: it runs the thread's messages while it waits, and gives the
// results of WaitForSingleObject.
#include "win32/message_wait.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <thread>

using namespace velmora;

namespace
{

win32::UniqueHandle g_dispatched; // set by a timer's callback, which only DispatchMessage runs

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    ::SetEvent(g_dispatched.get());
}

// Each row starts a thread timer whose callback sets the event; the wait is bounded by 10 s.
TEST(MessageWaitWin32, WaitsForItsHandleWhileDispatchingAndKeepsAQuitForTheLoopAbove)
{
    g_dispatched.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const win32::UniqueHandle abandoned(::CreateMutexW(nullptr, FALSE, nullptr));
    std::thread([&] { ::WaitForSingleObject(abandoned.get(), 0); }).join(); // ends holding it

    struct Row
    {
        const char* name;
        HANDLE handle;
        bool quit;
        DWORD expected;
        bool dispatched;
    };
    const Row rows[] = {
        {"an event set by a dispatched message", g_dispatched.get(), false, WAIT_OBJECT_0, true},
        {"a mutex whose owner ended", abandoned.get(), false, WAIT_ABANDONED_0, false},
        {"a quit met first: nothing more dispatched", g_dispatched.get(), true, WAIT_TIMEOUT, false},
        {"no handle, a quit met first", nullptr, true, WAIT_TIMEOUT, false},
    };
    for (const Row& row : rows)
    {
        ::ResetEvent(g_dispatched.get());
        ::SetTimer(nullptr, 0, 1, OnTimer);
        if (row.quit)
            ::PostQuitMessage(7);
        EXPECT_EQ(win32::WaitDispatchingMessages(row.handle, row.quit ? 300 : 10000), row.expected) << row.name;
        EXPECT_EQ(::WaitForSingleObject(g_dispatched.get(), 0) == WAIT_OBJECT_0, row.dispatched) << row.name;
        MSG quit{};
        EXPECT_EQ(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(quit.wParam) : -1,
                  row.quit ? 7 : -1)
            << row.name << ": posted again";
        while (::PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) // the timers left over
            ::DispatchMessageW(&quit);
    }
    EXPECT_NE(::ReleaseMutex(abandoned.get()), FALSE) << "the wait took the mutex";
}

} // namespace
