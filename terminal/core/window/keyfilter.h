// The keyboard filter: every key message of the main window passes here before the
// ordinary translation into characters. It keeps the program's shift state, turns the
// virtual key into the program's key code, runs the user's key definitions and the menu
// hot keys, and queues what is left as a key event for the host-data thread.
#pragma once

#include "terminal/core/base/win32.h"

// 1 when it consumed the message (it is then neither translated nor dispatched), 0 when
// the message goes on (so that WM_CHAR can make a typed character).
int KeyMessageFilter(MSG* message);

// Keys repeat while held ("kbdrpt").
bool KeyAutoRepeatEnabled();
// Focus went elsewhere: the key-up of a held modifier will not come here.
void ClearPendingKeyState();

// The steps of the filter, each on the message it is given.
void SubstituteNavigationKey(MSG* message);
void KeypadEnterAsSeparator(MSG* message);
void SetShiftBit(int virtualKey, bool isPress);
// Opens the menu whose mnemonic the key is (with Alt or Alt+Shift); true when it did or
// when the key is such a mnemonic.
bool HotKeyMenus(int virtualKey, u32 shift, bool isPress);
