// The key dispatcher: one special key (a key code with its shift state 0-7) to the
// active emulation's key action. Emulations with a keyboard of their own get the whole
// key; for the DEC VT family, the ANSI console family, HP 700/92 and IBM 3151 a table
// by key code and shift state chooses the shared key action.
#pragma once

// Does nothing while typed units wait on the keyboard input stack.
void DispatchKey(int keyCode, int shift);
