#include "terminal/core/window/timers.h"

#include "terminal/comms/serial/serial.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/window/selection/selection.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/testsource.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/input/bars/toolbars.h"

TimerCountdownSet Countdowns;

namespace {
bool g_tickRunning = false;
bool g_keyboardTimerRunning = false;

// -1 while above 0; true when this step took it to 0.
template <typename T>
bool CountDown(std::atomic<T>& counter)
{
    T value = counter.load();
    while (value > 0)
        if (counter.compare_exchange_weak(value, static_cast<T>(value - 1)))
            return value == 1;
    return false;
}
}  // namespace

void StartProgramTimers(HWND window)
{
    StartTickTimer(window);
}

void StartTickTimer(HWND window)
{
    if (!g_tickRunning && window)
        g_tickRunning = SetTimer(window, kTimerTick, 250, TimerProc) != 0;
}

void EnsureTickTimer(HWND window)
{
    StartTickTimer(window);
}

void StopTickTimer(HWND window)
{
    if (g_tickRunning && window)
        KillTimer(window, kTimerTick);
    g_tickRunning = false;
}

void CALLBACK TimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    switch (id) {
    case kTimerTick: TimerTick(); break;
    case kTimerKeyboardUnlock:
        SetKeyboardLocked(false);
        KillTimer(window, kTimerKeyboardUnlock);
        g_keyboardTimerRunning = false;
        break;
    }
}

void TimerTick()
{
    TimerCountdownSet& c = Countdowns;
    u32 divider = c.secondDivider.load();
    divider = divider > 0 ? divider - 1 : 0;
    if (divider < 1) {
        divider = 4;
        ++c.seconds;
        CountDown(c.printJobIdle);
        CountDown(c.printer3270Idle);
    }
    c.secondDivider = divider;
    // The message loop turns at least four times a second, so a pending emulation
    // switch is served and the host-data thread is woken.
    if (!InWindowProc && MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_APP, 0, 0);
    if (CountDown(c.tooltip))
        ShowToolTip();
    CountDown(c.keyEvent);
    CountDown(c.cursorPosition);
    CountDown(c.blink);
    CountDown(JumpScroll.countdown);
    c.selectionUpdateDue = 1;
    // A drag held beyond the screen's edge goes on scrolling the view.
    UpdateSelectionDrag();
    TestStatusDump();
}

void LockKeyboardTimed(u32 seconds)
{
    if (!OnUserInterfaceThread()) {
        PostUiRequest(kUiLockKeyboard, static_cast<LPARAM>(seconds));
        return;
    }
    if (!MainWindowHandle || KeyboardLocked())
        return;
    if (SetTimer(MainWindowHandle, kTimerKeyboardUnlock, seconds * 1000, TimerProc)) {
        g_keyboardTimerRunning = true;
        SetKeyboardLocked(true);
    }
}

void UnlockKeyboardTimer(HWND window)
{
    if (!KeyboardLocked())
        return;
    if (g_keyboardTimerRunning)
        KillTimer(window, kTimerKeyboardUnlock);
    g_keyboardTimerRunning = false;
    SetKeyboardLocked(false);
}

void StopAllTimers(HWND window)
{
    if (window) {
        KillTimer(window, kTimerSerialBreak);
        KillTimer(window, kTimerKeyboardUnlock);
    }
    StopTickTimer(window);
    g_keyboardTimerRunning = false;
}
