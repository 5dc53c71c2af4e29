// The keys of the HP 700/92 and IBM 3151 emulations that the shared key actions hand
// over while one of them is active, and the HP conversions of typed characters.
#pragma once

#include "terminal/core/base/vxtypes.h"

// HP 700/92.
bool Hp700ClickKeyLabel(int x, int y);
void Hp700KeyCursor(int letter);
void Hp700KeyEdit(int key);
void Hp700KeyKeypad(int mode, int shifted, int character);
void Hp700KeyReturn();
void Hp700KeyTab();
void Hp700KeyBackTab();
void Hp700KeyBackspace();
void Hp700KeyDelete();
void Hp700KeyRoll(int letter);
void Hp700KeySoftKey(int code);
int Hp700NationalCharIn(int c);
int Hp700NationalCharOut(int c);
int Hp700LatinToRoman8(int c);

// IBM 3151.
bool I3151CheckKeysLocked();
void I3151DefinePfKey(int mode);
void I3151KeyEditPad(int key);
void I3151KeyEditPadCtrl(int key);
void I3151KeyCtrlFunction(int key);
void I3151KeyAltFunction(int key);
void I3151KeyCursor(int letter);
void I3151KeyKeypadChar(int c);
void I3151KeyKeypadFunction(int c);
void I3151KeyReturn(int c);
void I3151KeyLineFeed(int c);
void I3151KeyTab(int c);
void I3151KeyBackTab(int c);
void I3151KeyBackspace(int c);
void I3151KeyEscape(int c);
void I3151KeyPrint(int key);
void I3151KeyPrintLine(int key);
void I3151KeyHoldScreen(int key);
void I3151KeyHome(int key);
void I3151KeyClear(int key);
void I3151KeyEraseEof(int key);
void I3151KeyHostKey(int keyCode);
void I3151KeyPf1To12(int index);
void I3151KeyPf13To24(int index);
void I3151KeyPf25To36(int index);
