// The HP 700/92's soft-key menus and label lines, the self test and the
// locked-function notice.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct HpLine;

// Where the eight labels of a label line start, and where a key's state mark sits.
constexpr int kHpLabelStarts[8] = {0, 9, 18, 27, 44, 53, 62, 71};
constexpr int kHpLabelWidth = 8;
constexpr int kHpMarkColumn = 7;
// The indicators between the fourth and the fifth label.
constexpr int kHpIndicatorColumn = 36;

// Menu n (kHpMenu...) becomes the current and remembered menu and its labels show.
void Hp700ShowMenu(u8 menu);
// ESC & j C, CR on the label entry screen: back to the remembered menu.
void Hp700ReturnToRememberedMenu();
// The "*" marks of the labels follow the mode flags (after a host changed a mode).
void Hp700RefreshSoftKeyStates();
// Every menu's two label lines rebuilt from the texts and the marks from the states.
void Hp700BuildLabelLines();
// The user-keys menu's labels from the user keys' definitions.
void Hp700BuildUserKeyLabels();
// The two label lines the label row shows now (menus 0..6 on the buttons, the label
// screens as text).
const HpLine* Hp700MenuLabelLine(int which);
// f1..f8 (0..7) of the current menu.
void Hp700KeySoftKey(int index);
// ESC z and the Terminal Test key.
void Hp700SelfTest();
// "Function Locked" until Return, and its end.
void Hp700ShowNotice();
void Hp700EndNotice();
// The idle tick: the cursor's row and column and the keyboard's state in the label row.
void Hp700IdleUpdate();
