#include "terminal/core/base/threadwait.h"

bool WaitForThreadPumping(HANDLE thread, DWORD timeoutMs)
{
    if (!thread)
        return true;
    const DWORD start = GetTickCount();
    bool quitSeen = false;
    WPARAM quitCode = 0;
    bool done = false;
    while (!done) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            break;
        const DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            done = true;
            break;
        }
        if (r != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitSeen = true;
                quitCode = msg.wParam;
                continue;
            }
            DispatchMessageW(&msg);
        }
    }
    if (quitSeen)
        PostQuitMessage(static_cast<int>(quitCode));
    return done;
}
