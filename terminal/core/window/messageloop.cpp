#include "terminal/core/window/messageloop.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/threadwait.h"
#include "terminal/core/host/gateevents.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/family.h"
#include "terminal/core/window/keyfilter.h"

namespace {
int g_pumpDepth = 0;
bool g_closeDeferred = false;
WPARAM g_deferredCloseWParam = 0;
HANDLE g_menuWatcher = nullptr;
}  // namespace

int KeyRepeatGate(MSG* message)
{
    if (FamilyWindowTakesKeys())
        return 0;
    const bool keyDown = message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN;
    const bool repeat = keyDown && (message->lParam & (1L << 30));
    if (repeat) {
        // One auto-repeated key in flight at a time: a repeat that arrives before the
        // host-data thread took the last one is dropped, not queued into a burst.
        if (!KeyAutoRepeatEnabled())
            return 1;
        if (KeyRepeatGateEvent && WaitForSingleObject(KeyRepeatGateEvent, 0) == WAIT_OBJECT_0)
            return 1;
    }
    if (!KeyMessageFilter(message))
        return 0;
    if (repeat && KeyRepeatGateEvent)
        SetEvent(KeyRepeatGateEvent);
    return 1;
}

int FilterMainMessage(MSG* message)
{
    if (HasFocus && message->hwnd == MainWindowHandle && KeyRepeatGate(message))
        return 1;
    if (EmulationId != RequestedEmulationId)
        SelectEmulation(EmulationId, RequestedEmulationId);
    // The running family's modeless dialog has its IsDialogMessageW turn.
    if (auto dialog = ActiveFamily().dialogMessage)
        if (dialog(message))
            return 1;
    return 0;
}

bool InsideMessagePump()
{
    return g_pumpDepth > 0;
}

void DeferClose(WPARAM wParam)
{
    g_closeDeferred = true;
    g_deferredCloseWParam = wParam;
}

void ReleaseDeferredClose()
{
    if (g_closeDeferred && !InsideMessagePump()) {
        g_closeDeferred = false;
        PostMessageW(MainWindowHandle, WM_CLOSE, g_deferredCloseWParam, 0);
    }
}

void PumpPendingMessages()
{
    ++g_pumpDepth;
    MSG msg;
    while (!QuitRequested && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            QuitRequested = 1;
            ExitCode = static_cast<u32>(msg.wParam);
            // The main loop must still see the quit once this work returns.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (HasFocus && msg.hwnd == MainWindowHandle && KeyRepeatGate(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    --g_pumpDepth;
    Iconic = WindowHidden ? 1 : (MainWindowHandle && IsIconic(MainWindowHandle));
}

DWORD WINAPI MenuLoopWatcher(void*)
{
    while (!QuitRequested) {
        Sleep(250);
        if (MenuActive && !ModalOpen) {
            if (MenuPollCount >= 2) {
                MenuPollCount = 0;
                MenuActive = 0;
                break;
            }
            ++MenuPollCount;
        }
    }
    return 1;
}

void StartMenuLoopWatcher()
{
    if (g_menuWatcher && WaitForSingleObject(g_menuWatcher, 0) == WAIT_TIMEOUT)
        return;
    if (g_menuWatcher)
        CloseHandle(g_menuWatcher);
    g_menuWatcher = CreateThread(nullptr, 0, MenuLoopWatcher, nullptr, 0, nullptr);
}

void StopWorkerThreads()
{
    QuitRequested = 1;
    if (g_menuWatcher) {
        WaitForThreadPumping(g_menuWatcher, 1000);
        CloseHandle(g_menuWatcher);
        g_menuWatcher = nullptr;
    }
}

void ReleaseKeyRepeatGate()
{
    if (KeyRepeatGateEvent)
        ResetEvent(KeyRepeatGateEvent);
}
