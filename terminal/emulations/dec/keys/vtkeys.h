// The key actions of the DEC VT family (VT52, VT100, VT500 7-bit and 8-bit) and the
// ANSI console family (Ansi BBS, SCO Console, AT 386, AIXTerm), named after the key
// each serves. Each first hands the key to an emulation with a sender of its own, then
// applies user-defined keys, local editing and the DEC defaults. All run on the
// host-data thread, called by the DEC key table.
//
// Function-key index: 0-14 the DEC keys F6-F20, 15-29 the same shifted, 30-35 the
// editing pad (Find, Insert Here, Remove, Select, Prev Screen, Next Screen), 36-41 the
// editing pad shifted, 42 F5 (Break), 43 F5 shifted. PF codes 80-83 are PF1-PF4.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The default key-string slot of a function-key index (or of the PF codes 112-115 and
// 80-83); slots of 46 and more send nothing.
int VtKeySlotOf(int index);
void SendVtKeySlot(int index);
// 1 when the user-defined key `entry` was sent (or typed).
int SendUserDefinedKey(int entry);
void SendVtDefaultKeyString(int slot);

void KeyVtFunction(int index);
void KeyVtFunctionCtrl(int index);
void KeyVtFunctionCtrlShift(int index);
void KeyVtFunctionAlt(int index);
void KeyVtPf(int code);
void KeyVtPfShift(int code);
void KeyVtPfCtrl(int code);
void KeyVtPfCtrlShift(int code);
void KeyVtHold();
void KeyVtPrint();
void KeyVtSetup();
void SendFunctionKeySequence();
void KeyVtExitF4();
void KeyVtPrintScreen(int shift);
void KeyVtPause(int shift);
void KeyVtDoKey(int code);

void KeyVtCursor(int letter);
void KeyVtCursorShift(int letter);
void KeyVtCursorCtrl(int letter);
void KeyVtHome(int shift);
void KeyVtDelete(int shift);
void KeyVtBackspace();
void KeyVtBackspaceShift();
void KeyVtBackspaceAlt();
void KeyVtTab(int c);
void KeyVtBackTab(int c);
void KeyVtTabCtrlShift(int c);
void KeyVtEscape(int c);
void KeyVtEscapeShift(int c);
void KeyVtEscapeCtrl(int c);
void KeyVtReturn(int c);
void KeyVtReturnCtrl(int c);
void KeySendSs3M();
void KeyShiftKeypadEnter();
// c: '0'-'9', '-', ',', '.', '+', '*', '/' or CR.
void KeyVtKeypad(int c);
void KeyVtKeypadShift(int c);
void KeyVtKeypadPf(int code, int shift, int fromHostKey);
void KeyVtNumLock(int shift);

// A byte received from the host, adapted to the active emulation; -1 drops it.
int FilterReceivedByte(int byte);
