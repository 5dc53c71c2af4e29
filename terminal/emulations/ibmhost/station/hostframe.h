// What an IBM display's emulation does the same in the running program whichever data
// stream it speaks: the status bar's fields, the shared screen geometry kept across the
// switch and following the session's size, the block cursor's drawn state, and the
// part of the communications loop's turn after the keys.
#pragma once

#include "terminal/core/base/win32.h"

// A telnet connection is open.
bool IbmTelnetConnected();

// The status bar: the connection, the terminal name (`nvtName` until the family shows
// its model), the printer and a filler to the right edge.
void IbmStatusBarLayout(const wchar_t* nvtName);
// The terminal-name field.
void IbmShowTerminalName(const wchar_t* name);

// The geometry of the shared screen the emulation found, kept at the switch and given
// back when it stops (with the palette and the font of the shared screen).
struct IbmSavedScreen {
    int rows = 24, lastColumn = 79;
};
IbmSavedScreen IbmSaveScreen();
void IbmRestoreScreen(const IbmSavedScreen& saved);
// The shared screen geometry and the window follow a session's screen size.
void IbmFitScreen(int rows, int columns);

// The block cursor: inverted by `invert`, drawn or not.
struct IbmCursor {
    bool drawn = false;
    void Toggle(void (*invert)());
    void Hide(void (*invert)());
    void Show(void (*invert)());
};

// The rest of a turn of the communications loop: character-mode bytes received go to
// `byte` (records reach the session inside the read) until it returns false (the
// session went away: the turn ends); when nothing came and no key was taken, a pending
// serial connection is opened, the idle work runs and the thread waits for input
// unless the keyboard-unlock timer is due.
void IbmHostTurn(bool busy, bool (*byte)(int value), bool unlockDue);
