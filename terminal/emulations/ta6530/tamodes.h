// Entering and leaving the TA6530, its four terminal modes and its resets.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The engine's part of the switch: the store built and everything reset (entry); the
// line's own settings back (leave).
void TaEnter();
void TaLeave();
// The power-on state of the modes and values (the full reset's first step).
void TaResetModes();
// Reset Terminal, ESC z, ESC - P, ANSI ESC c and CSI y (0), a connection that just came
// up (1: the terminal does not announce itself then on a network connection).
void TaResetTerminal(bool connectionUp);
// The terminal mode of ta_def_mode, then the start announcement.
void TaApplyDefaultMode(bool connectionUp);
// Runs after every mode change: auto-wrap on, insert and the keyboard lock off, the page
// table rebuilt, the status line drawn, the tab stops and data types reset, the line's
// flow control applied; the block modes lock the keyboard.
void TaInitModes(bool clearBlockFlags);
// A mode change from a command or a mode block.
void TaEnterMode(u8 mode);
// The national sets and the language code from the keyboard language and the national
// mode; and the reverse from a language code (false: refused, the error line shown).
void TaNationalFromCharset();
bool TaNationalFromCode(int code);
void TaLockKeyboard(bool locked);
// The flow control the line takes in the current mode (none outside ANSI mode).
void TaApplyLineFlowControl();
