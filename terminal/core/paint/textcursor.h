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
// The caret's window column, -1 when it is not on the screen (its row: paintrows.h); a
// family with a screen of its own places it through DisplayHooks::textCursor.
int CursorScreenColumn();
// The caret's style: 0 underline, 1 block, 2 and 3 the same steady.
int TextCursorStyle();
// True while the caret stands for a family's own cursor (DisplayHooks::textCursor).
bool FamilyPlacesCaret();
void CaretLock();
void CaretUnlock();
