// The key-definition list: keyboard macros, Wyse function keys, soft buttons and mouse
// macros, one node each, in the order they were added.
#pragma once

#include "terminal/core/vxtypes.h"

enum KeyDefinitionKind : u32 { kKeyMacro = 0, kWyseFunctionKey = 1, kSoftButton = 2, kMouseMacro = 3 };

struct KeyDefinition {
    // Bits 0-1 send type, bits 2-4 kind, bits 5-7 shift state (1 Shift, 2 Ctrl, 4 Alt).
    u32 flags;
    u32 keyCode;
    u32 length;       // text length in UTF-16 units
    wchar16* text;    // no terminator
    wchar16* label;   // terminated, or nullptr
    KeyDefinition* next;

    u32 SendType() const { return flags & 3; }
    u32 Kind() const { return (flags >> 2) & 7; }
    u32 ShiftState() const { return (flags >> 5) & 7; }
};

// The first node, or nullptr when the list is empty.
extern KeyDefinition* KeyDefinitions;

// The definition of that key code and kind; shift state -1 matches any shift state.
KeyDefinition* FindKeyDefinition(u32 keyCode, u32 kind, i32 shiftState);
// Appends a node holding copies of `text` (length units) and `label` (nullptr for none).
// False when memory ran out; the list is then unchanged.
bool AddKeyDefinition(u32 keyCode, u32 sendType, u32 kind, u32 shiftState, u32 length, const wchar16* text,
                      const wchar16* label);
void DeleteKeyDefinition(KeyDefinition* node);
void DeleteKeyMacros();
void DeleteSoftButtonDefinitions();
void DeleteAllKeyDefinitions();
