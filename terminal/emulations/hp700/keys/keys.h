// The HP 700/92's keys: the key dispatcher's entry, the HP keys' functions, typed
// characters, the keyboard lock and the typeahead ring.
#pragma once

#include "terminal/core/base/vxtypes.h"

// One special key with its shift state (the family's dispatchKey).
void Hp700DispatchKey(int keyCode, int shift);
// One HP key (keys/keytable.h) pressed.
void Hp700PressKey(int hpKey);
// A typed character the family acts on (the family's takeTypedChar): the notice and a
// locked keyboard swallow it, typeahead holds it. True when taken.
bool Hp700TakeTypedChar(int c);
// True, with the bell, while the keyboard refuses keys (locked, or a transfer running),
// unless a modal dialog is open or typeahead is on.
bool Hp700CheckKeyboardLocked();
// The keyboard state released: the typeahead hold ends and what it held goes on.
void Hp700ReleaseKeyboard();
// Characters held in the typeahead ring go on to the keyboard input once the keyboard
// is no longer held (called by the byte path after each byte).
void Hp700ReleaseTypeahead();
// Units put on the keyboard input, to be taken as typed (held in the ring while
// typeahead holds the keyboard).
void Hp700PutOnInput(const u16* units, int n);
// The Enter key's function: the transmission its mode asks for.
void Hp700EnterKey();
