// The framework's state of a thread other than the window's ends with the thread, its temporary
// wrappers with it, and nothing of it is freed twice.
#include "platform/win/thread_state.h"

#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <thread>

TEST(ThreadState, AWorkerThreadThatUsedItEndsCleanly)
{
    const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    for (int i = 0; i < 200; ++i)
    {
        std::thread worker(
            [window]
            {
                // A temporary wrapper of a window of another thread, freed as the thread ends.
                CWnd* wrapper = CWnd::FromHandle(window);
                EXPECT_EQ(window, wrapper->GetSafeHwnd());
                fw::GetThreadState().lastInitMenuPopup = nullptr;
            });
        worker.join();
    }
    // Still a sound heap: the next blocks come and go.
    for (int i = 0; i < 1000; ++i)
        delete[] new char[64 + i];
    EXPECT_EQ(window, CWnd::FromHandle(window)->GetSafeHwnd());
    ::DestroyWindow(window);
}
