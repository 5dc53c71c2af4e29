// What the other rooms ask of the user-interface side. Every one of these only posts or
// sets state: a worker thread never sends to the user-interface thread.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The host names the window (AIXTerm's title sequence): the text is kept and the
// user-interface thread sets the title from it.
void SetHostWindowTitle(const wchar16* text, int n);
// On the user-interface thread: the kept text becomes the window title.
void TakeHostWindowTitle();
// Posts WM_COMMAND with the id to the main window.
void PostMainCommand(u32 commandId);
// Posts the Exit command to the main window (after an allocation failure).
void PostExitCommand();
// Connection indicator of the status bar: 0 offline, 1 idle, 2 active, 3 connecting.
void StatusBarSetLinkState(int state);
// The frame's step: the indicator is drawn again when its state changed since.
void StatusBarShowLinkState();
// Shows the auxiliary port's state and status in its field; any thread may call it.
void RefreshPrinterIndicator();
// The window title from the title text, subtitle, profile and connection. Off the
// user-interface thread it is posted.
void UpdateWindowTitle(HWND window);
// Has the window title and the connection menu items refreshed on the user-interface
// thread.
void PostConnectionRefresh();
// The idle step between host bytes: palette, pending bell, status refresh.
void RunIdleUpdates();
// Refreshes the hold/lock indicator of the status bar.
void RefreshHoldLockIndicator();
// Clears the selection marks of the screen (after the keyboard unlocks).
void ClearSelectionMarks();
// Posts a key message to the main window as if the keyboard had sent it (a DEC key
// that opens a menu).
void PostMainKeyMessage(u32 message, u32 wParam, u32 lParam);
// Shows "DEC" in the status bar's DEC key field, or clears it.
void ShowDecKeyModeField(bool on);
// Lets the next auto-repeated key through (the reader has taken the last one).
void ReleaseKeyRepeatGate();
// Locks the keyboard for n seconds; the unlock timer runs on the user-interface thread.
void LockKeyboardTimed(u32 seconds);
// A scroll bar command: code 0 line up, 1 line down, 2 page up, 3 page down, 4 thumb
// position. Called from another thread while the host-data thread runs, it is queued
// for that thread (see ServeViewRequests).
void DispatchScrollBarCommand(int code, int position);
// A bar came, went or changed its size: the main window's children are laid out again
// (ForgetLayout first makes that layout measure the free area again).
void ForgetLayout();
void MainWindowSized(HWND mainWindow);
// Runs the pans of the view that the user-interface thread asked for (scroll bar and
// wheel) since the last call. The host-data thread calls it where it could take a
// typed key: it alone writes the screen store, and no host sequence is open there.
void ServeViewRequests();
// The terminal shows a status line below its text rows (the "StatusLine" start-up
// option).
bool StatusLineFeaturePresent();
// Sets a status bar field to a language string, or clears it (string 0).
void ShowStatusBarText(u32 fieldId, u32 stringId);
