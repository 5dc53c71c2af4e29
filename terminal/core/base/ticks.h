// The program's timers as every room sees them. There is no timer thread: one 250-ms
// timer on the main window counts the countdowns down, and the host-data thread's read
// loops act on them between bytes (RunIdleUpdates). The two sides share only plain
// countdown words; a missed or doubled step delays a blink or a redraw by one tick at
// most.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// The ids of the main window's timers.
constexpr u32 kTimerTick = 1;            // 250 ms, repeating
constexpr u32 kTimerKeyboardUnlock = 2;  // n seconds, once
constexpr u32 kTimerSerialBreak = 3;     // 300 ms, once

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

// The blink phase: 1 while blinking text shows; the blink tick flips it.
extern std::atomic<u8> BlinkPhaseOn;
