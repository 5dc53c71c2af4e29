// Timers, idle work, the window title, the bell and the release of all resources.
#pragma once

#include <atomic>

#include "terminal/core/win32.h"

constexpr UINT kMsgBeep = WM_USER + 390;  // wParam frequency, lParam milliseconds
constexpr UINT_PTR kTimerTick = 1;        // 250 ms

void StartProgramTimers(HWND window);
void EnsureTickTimer(HWND window);
void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void UpdateWindowTitle(HWND window);
// Releases everything; 1 done, 0 when the user refused to close.
int ShutdownTerminal(int warnOnExit);
// Sounds the bell: a beep message to this thread without a sound scheme.
void RingBell();
// Decides how the bell sounds: whether the current user has a sound scheme.
void DetectSoundScheme();

// The blink phase: 1 while blinking text shows; the blink tick flips it.
extern std::atomic<u8> BlinkPhaseOn;
// Jump scroll: while the "JumpScroll" setting is on, scrolls of the screen are only
// counted and the screen is redrawn once, after 33 scrolls or on the next tick.
void CountDeferredScroll();
bool DeferredScrollPending();
void FlushDeferredScroll();
