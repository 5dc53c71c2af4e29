// The 36 programmable function keys: each a kind (0 undefined, 1 its string and then
// the turnaround, 2 the string alone) and up to 64 characters, defined by the host
// (ESC ! =) or in the define-key prompt, cleared by ESC t and ESC SP t.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kI3151PfKeys = 36;
constexpr int kI3151PfUnits = 66;  // kind, 64 characters, 0
extern u16 I3151PfKeyTable[kI3151PfKeys][kI3151PfUnits];

// ESC ! =: the key number, the kind byte (even: with turnaround), the text up to ESC =.
void I3151DefineFromHost();
// ESC t: the key number, then that key cleared.
void I3151ClearPfKeyFromHost();
void I3151ClearPfKey(int index);
void I3151ClearAllPfKeys();
bool I3151PfKeyDefined(int index);
bool I3151AnyPfKeyDefined();
// A defined key's characters, then for kind 1 the turnaround.
void I3151SendPfKey(int index);
// Stores a key defined in the prompt: kind 2, `count` characters.
void I3151StorePfKey(int index, const u16* text, int count);
