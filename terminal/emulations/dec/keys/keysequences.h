// The VT user-defined keys: one text store (the pool) holding every key's text, and a
// table of 72 keys pointing into it. The host redefines keys with DECUDK; the profile
// keeps the pool and the table.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kUdkPoolUnits = 512;
constexpr int kUdkKeys = 72;
constexpr int kVtDefaultKeyCount = 46;

struct KeySequenceEntry {
    const wchar16* text;  // into the pool
    u16 length;           // units
    u8 local;             // 1: the key's text is processed locally, not sent
};

struct KeySequenceStore {
    wchar16 pool[kUdkPoolUnits];
    KeySequenceEntry keys[kUdkKeys];
    u16 end;    // units of the pool in use
    u8 locked;  // the host locked the keys against redefinition
};
extern KeySequenceStore KeySequenceTable;

// The built-in texts of keys 0-45 as bytes (CSI is the single byte 0x9B): F1-F20,
// shifted F1-F20, then the six editing keys.
extern const char* const kVtDefaultKeyStrings[kVtDefaultKeyCount];

// Removes every key's text and unlocks them.
void ClearUserDefinedKeys();
// Removes the text of one key from the pool and closes the gap; the key then points at
// the end of the pool with no text, ready to take a new one there.
void DeleteUserDefinedKey(int index);
// Clears all keys, then gives keys 0-45 their built-in texts.
void InstallVtDefaultKeys();
// 1 when every key holds its built-in text (keys 46-71 none) and none is local.
bool UserDefinedKeysAreFactory();

// Takes the user-defined keys as the profile stores them: pool units (their low bytes,
// at most the pool), then, each when present (non-null), the 72 text offsets in bytes
// from the pool's start, the 72 lengths, the 72 local flags and the units in use. A
// key whose text would lie outside the pool keeps only the part inside it.
void RestoreUserDefinedKeys(const u16* pool, int poolUnits, const u16* offsets, const u16* lengths,
                            const u16* locals, const u32* end);
