// The program's timers. There is no timer thread: one 250-ms timer on the main window
// counts the countdowns down, and the host-data thread's read loops act on them between
// bytes (RunIdleUpdates). The two sides share only plain countdown words; a missed or
// doubled step delays a blink or a redraw by one tick at most.
#pragma once

#include <atomic>

#include "terminal/core/base/win32.h"

constexpr UINT_PTR kTimerTick = 1;            // 250 ms, repeating
constexpr UINT_PTR kTimerKeyboardUnlock = 2;  // n seconds, once
constexpr UINT_PTR kTimerSerialBreak = 3;     // 300 ms, once

// Countdowns the tick writes and the idle step reads and re-arms.
struct TimerCountdownSet {
    std::atomic<u32> secondDivider{4};
    std::atomic<u32> seconds{0};
    std::atomic<u32> printJobIdle{0};     // seconds
    std::atomic<u32> printer3270Idle{0};  // seconds
    std::atomic<u32> tooltip{0};          // ticks
    std::atomic<u32> keyEvent{0};         // ticks
    std::atomic<u32> cursorPosition{0};   // ticks
    std::atomic<u16> blink{0};            // ticks
    std::atomic<u32> blinkPhase{0};
    std::atomic<u32> selectionUpdateDue{0};
};
extern TimerCountdownSet Countdowns;

void StartProgramTimers(HWND window);
void StartTickTimer(HWND window);
void StopTickTimer(HWND window);
void EnsureTickTimer(HWND window);
void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void TimerTick();

// LockKeyboardTimed (uiservices.h) starts timer 2; from another thread it is posted.
void UnlockKeyboardTimer(HWND window);
// Every timer of the main window stopped (the shut-down).
void StopAllTimers(HWND window);
