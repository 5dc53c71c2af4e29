// What the keyboard uses of the Wyse and TeleVideo emulations.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The TVI keyboard: key codes 67-136 with their modifiers to TVI codes and sequences.
void TviKeyHandler(int keyCode, int shift);
// A TVI Alt key: SOH, the code, CR.
void TviSendFunctionKey(int code);
// Shows the shifted (bit set) or unshifted function-key label line.
void WyseSetShiftLabelLine(int shiftBit);
// The LOCK/NUM/CAPS field of the Wyse status line and its repaint.
void WyseShowKeyboardField();
void WyseRepaintStatusLine();
// A typed character in multinational mode as its host code, -1 when there is none.
int WyseUnicodeToHostChar(int c);
