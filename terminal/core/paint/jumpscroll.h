// Jump scroll. With the "JumpScroll" setting on, a scroll of the screen moves no pixels:
// it is only counted, and no frame is shown while counted scrolls wait. The whole screen
// is drawn once after 33 scrolls, when the reader runs out of received data, or by the
// idle step when the half-second countdown that the tick runs down reaches 0: the screen
// jumps by whole screenfuls instead of moving line by line (smooth scrolling, the
// setting off: every frame shows the screen moved as far as the host has scrolled it).
//
// The count and the redraw belong to the host-data thread; the tick (user-interface
// thread) only runs the countdown down, and the frame takes the redraw.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

constexpr u8 kDeferredScrollLimit = 33;
constexpr u32 kDeferredScrollTicks = 2;

struct JumpScrollState {
    std::atomic<u8> deferring{0};                      // scrolls are counted, not drawn
    std::atomic<u8> count{0};                          // scrolls since the last redraw
    std::atomic<u32> countdown{kDeferredScrollTicks};  // ticks until the idle redraw
    std::atomic<u8> redrawDue{0};                      // a redraw waits for its frame
};
extern JumpScrollState JumpScroll;

// Takes the "JumpScroll" setting: painters and scrolls read it, the deferral follows it.
void ApplyJumpScrollSetting(u8 on);
// Called by each scroll of the screen instead of drawing it while the setting is on.
void CountDeferredScroll();
bool DeferredScrollPending();
// True while frames wait for the deferred redraw (none is due yet).
bool JumpScrollHoldsPainting();
// Draws the whole screen once for the scrolls counted so far and re-arms the countdown.
void FlushDeferredScroll();
