// The bell: rung on the host-data thread, sounded on the user-interface thread.
#pragma once

#include <atomic>

#include "terminal/core/base/win32.h"

constexpr UINT kMsgBeep = WM_USER + 390;  // wParam frequency, lParam milliseconds

// Whether the current user has a sound scheme (decides how the bell sounds).
extern std::atomic<u32> SoundSchemePresent;
// Where the beep of the bell message is sounded; a test can watch it instead.
extern BOOL(WINAPI* BeepSound)(DWORD frequency, DWORD duration);

// Posted to the main window as a 1000 Hz, 150 ms beep without a sound scheme, else the
// simple system beep. Never sounds on the calling worker thread.
void RingBell();
// Decides how the bell sounds: whether the current user has a sound scheme.
void DetectSoundScheme();
