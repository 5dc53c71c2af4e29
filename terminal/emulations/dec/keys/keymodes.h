// What the keyboard reads of the DEC emulations: the key modes the host or the user
// sets, the user-defined keys (DECUDK) and the local operations some keys start. The
// key actions read these at the moment a key is dispatched, on the host-data thread.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Cursor keys send SS3 instead of CSI (DECCKM, "curskeyapp").
bool CursorKeysApplication();
// Keypad application mode (DECKPAM / DECNKM, "kpadmode").
bool KeypadApplication();
// PC F1-F4 act as the DEC Hold, Print, Set-Up and Break keys and the keypad's top row
// as PF1-PF4 ("DecKeyMode"); the user toggles it with Alt+Num Lock.
bool DecKeyModeOn();
void SetDecKeyMode(bool on);
// The backarrow key sends BS (else DEL): the "barkmode" setting.
bool BackarrowSendsBackspace();
// F1-F4 key modes of the VT420 class (n 0-3): 1 local function, 3 send CSI 11 ~ ..
// CSI 14 ~, others nothing.
int Vt420FunctionKeyMode(int n);
// Cursor-pan mode of the VT420 class: 2 leaves Ctrl+cursor keys without effect.
int Vt420CursorPanMode();

// User-defined keys: the entries of the key table a host or the profile redefined. An
// entry that still holds its built-in text is not a user-defined key.
struct UserDefinedKey {
    const wchar16* text;
    int length;    // 0: not defined
    int sendFlag;  // 2: sent to the host only when not in local mode
};
constexpr int kUserDefinedKeyCount = 72;
// The entry that answers to the DEC key number `keyNumber` and is user-defined, -1 when
// none.
int FindUserDefinedKey(int keyNumber);
UserDefinedKey UserDefinedKeyEntry(int entry);
// The entry that answers to a host's key selector, defined or not; -1 for none.
int UserDefinedKeyIndex(int keyNumber);
// The key table's text of a default key slot (0-45), user-defined or built-in.
UserDefinedKey DefaultKeySlotText(int slot);

// Local editing: what the editing keys do while the terminal edits locally.
void SetLocalEditMode(bool on);
void EditCursorHome();
void EditEraseUnprotected();
void EditClearField();
void EditTabKey();
void EditInsertLines(int n);
void EditDeleteLines(int n);
void EditDeleteChars(int n);
void EditBackspaceKey();
void EditToggleInsertMode();
// Cursor to column 0 before a block is transmitted with the keypad Enter key.
bool EditCursorToColumn0OnEnter();
// The local-editing PF key setting ("edit_pfkey"): 1 send, 2 send then transmit,
// 3 transmit then send, others nothing.
int EditPfKeyMode();
