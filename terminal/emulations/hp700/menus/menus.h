// The HP 700/92's soft-key menus and label lines, the self test and the
// locked-function notice.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Menu n (kHpMenu...) becomes the current and remembered menu and its labels show.
void Hp700ShowMenu(u8 menu);
// ESC & j C, CR on the label entry screen: back to the remembered menu.
void Hp700ReturnToRememberedMenu();
// The "*" marks of the labels follow the mode flags (after a host changed a mode).
void Hp700RefreshSoftKeyStates();
// Every menu's two label lines rebuilt from the texts and the marks from the states.
void Hp700BuildLabelLines();
// ESC z and the Terminal Test key.
void Hp700SelfTest();
