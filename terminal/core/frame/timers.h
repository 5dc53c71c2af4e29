// Timers, idle work, the window title, the bell and the release of all resources.
//
// The program has no timer thread: one 250-ms timer on the main window counts the
// countdowns down, and the host-data thread's read loops act on them between bytes
// (RunIdleUpdates). The two sides share only plain countdown words; a missed or doubled
// step delays a blink or a redraw by one tick at most.
#pragma once

#include <atomic>

#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/frame/uiservices.h"
#include "terminal/settings/hls.h"

constexpr UINT kMsgBeep = WM_USER + 390;  // wParam frequency, lParam milliseconds
// What another thread asks of the user-interface thread: wParam the request, lParam its
// argument. Worker threads post it; they never set timers on or send to its windows.
constexpr UINT kMsgUiRequest = WM_APP + 20;
constexpr WPARAM kUiUpdateTitle = 1, kUiLockKeyboard = 2, kUiUpdateConnectionMenu = 4, kUiClearSelection = 8,
                 kUiPrintWindows = 16;

constexpr UINT_PTR kTimerTick = 1;            // 250 ms, repeating
constexpr UINT_PTR kTimerKeyboardUnlock = 2;  // n seconds, once
constexpr UINT_PTR kTimerSerialBreak = 3;     // 300 ms, once

// Countdowns the tick writes and the idle step reads and re-arms.
struct TimerCountdownSet {
    std::atomic<u32> secondDivider{4};
    std::atomic<u32> seconds{0};
    std::atomic<u32> printJobIdle{0};      // seconds
    std::atomic<u32> printer3270Idle{0};   // seconds
    std::atomic<u32> tooltip{0};           // ticks
    std::atomic<u32> keyEvent{0};          // ticks
    std::atomic<u32> cursorPosition{0};    // ticks
    std::atomic<u16> blink{0};             // ticks
    std::atomic<u32> blinkPhase{0};
    std::atomic<u32> selectionUpdateDue{0};
};
extern TimerCountdownSet Countdowns;
// The blink phase: 1 while blinking text shows; the blink tick flips it.
extern std::atomic<u8> BlinkPhaseOn;
// Whether the current user has a sound scheme (decides how the bell sounds).
extern std::atomic<u32> SoundSchemePresent;
// Where the beep of the bell message is sounded; a test can watch it instead.
extern BOOL(WINAPI* BeepSound)(DWORD frequency, DWORD duration);

void StartProgramTimers(HWND window);
void StartTickTimer(HWND window);
void StopTickTimer(HWND window);
void EnsureTickTimer(HWND window);
void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void TimerTick();
// The idle step between host bytes (host-data thread).
void RunIdleUpdates();
// The bell: posted to the main window as a 1000 Hz, 150 ms beep without a sound scheme,
// else the simple system beep. Never sounds on the calling worker thread.
void RingBell();
void BlinkTick();
// The cells a pixel rectangle touches; returns bottom / cell height.
int CellRectFromPixels(const RECT& pixels, int cellWidth, int cellHeight, int lastColumn, int* firstRow,
                       int* firstColumn, int* lastRow, int* lastColumnOut);

// LockKeyboardTimed (uiservices.h) starts timer 2; from another thread it is posted.
void UnlockKeyboardTimer(HWND window);

// The window title from the title text, subtitle, profile and connection. Safe from any
// thread: off the user-interface thread it is posted.
void UpdateWindowTitle(HWND window);
// Posts a request to the main window for HandleUiRequest; false when there is no
// window or the post failed.
bool PostUiRequest(WPARAM request, LPARAM argument);
// Carries out a request posted with kMsgUiRequest.
void HandleUiRequest(WPARAM request, LPARAM argument);

// Releases everything; 1 done, 0 when the user refused to close.
int ShutdownTerminal(int warnOnExit);
// Loads the profile the Open Session page chose (SelectedProfileName); a name that is
// not stored shows "Invalid Configuration File" and keeps the running profile. 1 loaded.
int ReloadProfile();
// Stops the running emulation's family by switching to VT500 7-Bit.
void StopActiveEmulation();
u8 GetDefaultEmulationId();
void SetPaletteFromHls(const HlsPalette& table);
// Decides how the bell sounds: whether the current user has a sound scheme.
void DetectSoundScheme();
