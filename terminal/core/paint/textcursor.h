// The text cursor: hidden while the screen changes, shown again when the reader idles.
// Both threads draw it (the user-interface thread blinks it), under the caret lock: an
// interlocked counter free at 1, taken by decrementing it to 0.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/display.h"

extern std::atomic<u8> CursorShown;  // the VT caret is drawn
extern std::atomic<u8> CursorUpdatesSuspended;
extern std::atomic<u8> CursorDisabled;
extern std::atomic<u8> BlinkPending;

void ShowCursorWhenIdle();
int CursorScreenColumn();
void CaretLock();
void CaretUnlock();
