// The main window in-process: creation, the close that long work holds back, and the
// bounded wait for a worker that sends to this thread.
#include <gtest/gtest.h>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/threadwait.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/window/messageloop.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/program/startup.h"

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InstanceHandle = GetModuleHandleW(nullptr);
        AllocateGlobalBuffers();
        ReadStartupOptions(CommandLine, InstanceHandle);
        StartupOptions.startMode = 0;  // no Setup page at start: nobody would close it here
        ASSERT_EQ(CreateMainWindow(InstanceHandle, nullptr, SW_SHOWNOACTIVATE), 1);
    }

    // Dispatches like the main loop until the queue is dry or the window is gone.
    static void RunLoopBriefly()
    {
        MSG msg;
        ReleaseDeferredClose();
        for (int i = 0; i < 200 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (msg.message == WM_QUIT)
                break;
            if (!FilterMainMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            ReleaseDeferredClose();
        }
    }
};

TEST_F(MainWindowTest, MainWindowAndScreenChildExist)
{
    ASSERT_TRUE(IsWindow(MainWindowHandle));
    wchar_t cls[64];
    GetClassNameW(MainWindowHandle, cls, 64);
    EXPECT_STREQ(cls, L"vexaNT");
    ASSERT_TRUE(IsWindow(ScreenWindowHandle));
    EXPECT_EQ(GetParent(ScreenWindowHandle), MainWindowHandle);
    GetClassNameW(ScreenWindowHandle, cls, 64);
    EXPECT_STREQ(cls, L"vexaNT0");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(ScreenWindowHandle, GWL_STYLE)) & (WS_CHILD | WS_CLIPSIBLINGS),
              DWORD(WS_CHILD | WS_CLIPSIBLINGS));
    EXPECT_EQ(StartingUp.load(), 0u);
    wchar_t title[64];
    GetWindowTextW(MainWindowHandle, title, 64);
    EXPECT_STREQ(title, L"Terminal Emulation (Untitled)");  // the profile when none is stored
}

TEST_F(MainWindowTest, WaitingForAWorkerThatSendsDoesNotDeadlock)
{
    // The worker sends to a window of this thread; a plain wait would never return.
    HANDLE worker = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            SendMessageW(MainWindowHandle, WM_NULL, 0, 0);
            return 0;
        },
        nullptr, 0, nullptr);
    EXPECT_TRUE(WaitForThreadPumping(worker, 5000));
    CloseHandle(worker);

    HANDLE stuck = CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            Sleep(3000);
            return 0;
        },
        nullptr, 0, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(WaitForThreadPumping(stuck, 200));
    EXPECT_LT(GetTickCount() - start, 2000u);
    WaitForSingleObject(stuck, INFINITE);
    CloseHandle(stuck);
}

// Runs last in this suite: it closes the window.
TEST_F(MainWindowTest, ZZ_CloseDuringLongWorkWaitsForTheWorkToReturn)
{
    PostMessageW(MainWindowHandle, WM_CLOSE, 1, 0);
    PumpPendingMessages();  // as long user-interface work does
    EXPECT_TRUE(IsWindow(MainWindowHandle)) << "closed while the work was still running";
    EXPECT_EQ(ShuttingDown.load(), 0);
    RunLoopBriefly();  // the work has returned: the held-back close runs now
    EXPECT_FALSE(IsWindow(MainWindowHandle));
    EXPECT_EQ(QuitRequested.load(), 1u);
}

}  // namespace
