// The HP 700/92 and IBM 3151 emulations are not built yet and can never be the active
// emulation, so none of their keys is ever handed over; typed characters pass through
// unchanged.
#include "terminal/emulations/hp-ibm3151/keyfunctions.h"

bool Hp700ClickKeyLabel(int, int) { return false; }
void Hp700KeyCursor(int) {}
void Hp700KeyEdit(int) {}
void Hp700KeyKeypad(int, int, int) {}
void Hp700KeyReturn() {}
void Hp700KeyTab() {}
void Hp700KeyBackTab() {}
void Hp700KeyBackspace() {}
void Hp700KeyDelete() {}
void Hp700KeyRoll(int) {}
void Hp700KeySoftKey(int) {}
int Hp700NationalCharIn(int c) { return c; }
int Hp700NationalCharOut(int c) { return c; }
int Hp700LatinToRoman8(int c) { return c; }

bool I3151CheckKeysLocked() { return false; }
void I3151DefinePfKey(int) {}
void I3151KeyEditPad(int) {}
void I3151KeyEditPadCtrl(int) {}
void I3151KeyCtrlFunction(int) {}
void I3151KeyAltFunction(int) {}
void I3151KeyCursor(int) {}
void I3151KeyKeypadChar(int) {}
void I3151KeyKeypadFunction(int) {}
void I3151KeyReturn(int) {}
void I3151KeyLineFeed(int) {}
void I3151KeyTab(int) {}
void I3151KeyBackTab(int) {}
void I3151KeyBackspace(int) {}
void I3151KeyEscape(int) {}
void I3151KeyPrint(int) {}
void I3151KeyPrintLine(int) {}
void I3151KeyHoldScreen(int) {}
void I3151KeyHome(int) {}
void I3151KeyClear(int) {}
void I3151KeyEraseEof(int) {}
void I3151KeyHostKey(int) {}
void I3151KeyPf1To12(int) {}
void I3151KeyPf13To24(int) {}
void I3151KeyPf25To36(int) {}
