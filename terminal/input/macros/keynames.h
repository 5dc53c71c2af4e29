// Key names: the names macros write in angle brackets ("<VK_F1>", "<CONTROL+VT_F6>"),
// the key each stands for, and the way back from a key to its name. The table is
// keynames.def; the same rows are the program's strings 13000-13643 and its key
// resources.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kKeyNameCount = 644;
constexpr u32 kFirstKeyNameId = 13000;
constexpr u32 kLastKeyNameId = kFirstKeyNameId + kKeyNameCount - 1;
constexpr u16 kNoKeyPosition = 0xFFFF;

struct KeyNameEntry {
    u16 number;  // key position, or 300 + position for a host key's default binding
    u16 shift;   // 1 Shift, 2 Ctrl, 4 Alt
};

// Name and entry of index 0-643 (string id 13000 + index); nullptr / {0xFFFF, 0} outside.
const wchar16* KeyNameAt(int index);
KeyNameEntry KeyNameEntryAt(int index);

// The index of a name (case ignored), -1 when none. A name shorter than 4 units or
// without "_" as its third unit is compared without the table's group prefixes, so
// "F6" finds "VK_F6", the first in id order; "VT_F6" finds only "VT_F6".
int KeyNameToIndex(const wchar16* name, int length = -1);

// What a name stands for, its shift bits added to `shift`: 1 with the key in `key` (a
// key code for a special key; a character for a plain key, `shift` then -1 when it is
// typed as it is), 0 when the name gives no key (a modifier, which only adds its bit, a
// key without a place on the keyboard, or a name not in the table; `key` is then -1).
int KeyNameToKey(const wchar16* name, int length, int* key, int* shift);
// The key of a position with the shift so far, as KeyNameToKey gives it.
int KeyPositionToKey(int position, int* key, int* shift);

// The parts of a combination, each ended by a NUL, tried in order with their shift bits
// accumulating until one gives a key; 1 with the key, else 0 with `key` -1.
int ParseKeyNameCombination(const wchar16* parts, int count, int* key, int* shift);

// The string id of a virtual key's name, -1 when it has none.
int VirtualKeyToNameId(int virtualKey);
// "A+", "C+", "S+" for Alt, Ctrl and Shift, then the key's name (at most 16 units):
// the length written into `out` (at least 26 units), 0 when the key has no name.
int FormatKeyCombinationName(int virtualKey, int shift, wchar16* out);

// The virtual key of a name's string id (the way back from VirtualKeyToNameId), -1 when
// the name stands for none.
int NameIdToVirtualKey(int id);
// Reads what FormatKeyCombinationName writes, with or without the angle brackets:
// "A+C+S+VK_F1" gives VK_F1 with Alt, Ctrl and Shift. False for a name of no virtual key.
bool ParseKeyCombinationName(const wchar16* text, int* virtualKey, int* shift);

// "<NAME>" of the first name in string ids firstId..lastId bound to the key: a virtual
// key when `shift` is negative (a control character stands for Ctrl and its letter),
// else a key code with that shift. The length written into `out` (at least 32 units),
// 0 when no name there is bound to it.
int KeyNameText(int key, int shift, u32 firstId, u32 lastId, wchar16* out);
// Pushes that text onto the keyboard push-back stack so that it is read in order; true
// when there was a name.
bool PushKeyNameText(int key, int shift, u32 firstId, u32 lastId);
