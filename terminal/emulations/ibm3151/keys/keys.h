// What the IBM 3151's keys send or do. Every sequence goes through I3151SendKeyUnits:
// in Echo mode to the host; in Character and Block mode, in local mode or while a
// modal dialog is open back onto the keyboard input, so that it runs through the
// emulation's own parser (a cursor key moves the local cursor, a send key sends).
#pragma once

#include "terminal/core/base/vxtypes.h"

void I3151SendKeyUnits(const u16* units, int count);

// The dispatcher of the key codes and shift states (the program's key numbers).
void I3151DispatchKey(int keyCode, int shift);
// A typed character: in insert mode ESC P and the character. True when taken.
bool I3151TakeTypedChar(int c);
// True (and a bell) while SENDING or KEYS LOCKED refuses keys.
bool I3151CheckKeysLocked();

// The key functions by the codes the dispatcher hands them.
void I3151KeyPf(int index);
void I3151KeyPf1To12(int code);
void I3151KeyPf13To24(int code);
void I3151KeyPf25To36(int code);
void I3151KeyCtrlFunction(int code);
void I3151KeyAltFunction(int function);
void I3151KeyEditPad(int code);
void I3151KeyEditPadCtrl(int code);
void I3151KeyKeypadChar(int c);
void I3151KeyKeypadFunction(int c);
void I3151KeyCursor(int letter);
void I3151KeyEscape();
void I3151KeyPrint();
void I3151KeyPrintLine();
void I3151KeyPrintAll();
void I3151KeyHoldScreen();
void I3151KeyBackspace();
void I3151KeyTab();
void I3151KeyReturn();
void I3151KeyLineFeed();
void I3151KeyHome();
void I3151KeyBackTab();
void I3151KeyClear();
void I3151KeyInsert();
void I3151KeySendMessage();
void I3151KeySendLine();
void I3151KeySend();
void I3151KeyEnter();
void I3151KeyJump();
// The define-key prompt (Shift or Ctrl with Esc).
void I3151DefinePfKey();
