// The key-definition list: keyboard macros, Wyse function keys, soft buttons and mouse
// macros, one node each, in the order they were added.
//
// Definitions a host made (its key strings and PC key programming) are marked: their
// texts are typed or sent literally and never read as macro tokens, so a host can never
// start a program or raise a window through a key.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"
#include "terminal/input/macros/eventtext.h"

enum KeyDefinitionKind : u32 { kKeyMacro = 0, kWyseFunctionKey = 1, kSoftButton = 2, kMouseMacro = 3 };

struct KeyDefinition {
    // Bits 0-1 send type, bits 2-4 kind, bits 5-7 shift state (1 Shift, 2 Ctrl, 4 Alt).
    u32 flags;
    u32 keyCode;
    u32 length;      // text length in UTF-16 units
    wchar16* text;   // no terminator
    wchar16* label;  // terminated, or nullptr
    KeyDefinition* next;
    TextOrigin origin;  // User unless the host defined it

    u32 SendType() const { return flags & 3; }
    u32 Kind() const { return (flags >> 2) & 7; }
    u32 ShiftState() const { return (flags >> 5) & 7; }
};

// The first node, or nullptr when the list is empty.
extern KeyDefinition* KeyDefinitions;

// The list is read on the user-interface thread (the key filter, mouse macros) and on
// the host-data thread (definitions run from the input queue), and a host defines keys
// from the host-data thread. Every function below takes the list's lock itself; code
// that walks KeyDefinitions or keeps a node it found holds a KeyDefinitionsLock for as
// long as it does, since another thread may otherwise delete that node under it.
class KeyDefinitionsLock {
public:
    KeyDefinitionsLock();
    ~KeyDefinitionsLock();
    KeyDefinitionsLock(const KeyDefinitionsLock&) = delete;
    KeyDefinitionsLock& operator=(const KeyDefinitionsLock&) = delete;
};

// The definition of that key code and kind; shift state -1 matches any shift state.
KeyDefinition* FindKeyDefinition(u32 keyCode, u32 kind, i32 shiftState);
// Appends a node holding copies of `text` (length units) and `label` (nullptr for none).
// False when memory ran out or the text is empty (only a soft button may have none);
// the list is then unchanged. While another node has the same key, kind and shift
// state, the older one is found first.
bool AddKeyDefinition(u32 keyCode, u32 sendType, u32 kind, u32 shiftState, u32 length, const wchar16* text,
                      const wchar16* label, TextOrigin origin = TextOrigin::User);
// Deletes the node for that key, kind and shift state, then adds the new one.
bool ReplaceKeyDefinition(u32 keyCode, u32 sendType, u32 kind, u32 shiftState, u32 length, const wchar16* text,
                          const wchar16* label, TextOrigin origin = TextOrigin::User);
// 1 when the node was in the list (it is freed), else 0.
int DeleteKeyDefinition(KeyDefinition* node);
// Every node of the kind; every node for -1.
void DeleteKeyDefinitions(i32 kind);
// Forgets the list without freeing it, before a settings reload takes over its nodes.
void ResetKeyDefinitionList();
void DeleteKeyMacros();
void DeleteSoftButtonDefinitions();
void DeleteAllKeyDefinitions();

// A copy of the definition's text for an event, with the event type that runs it:
// macro strings for the user's definitions (send type 0 gives 4, 2 gives 5, 1 gives 6),
// literal text for the host's (7, 8, 9 the same way). 0 while a modal dialog is open or
// for an empty text.
u32 CopyKeyDefinitionText(const KeyDefinition* definition, int& eventType);
// Queues the text of the kind-0 definition for (key, shift) at the ring's tail, or at
// its front; false when there is none.
bool QueueKeyDefinition(u32 keyCode, u32 shiftState);
bool PushKeyDefinitionFront(u32 keyCode, u32 shiftState);
// Queues the text of a definition already found (a mouse macro) at the ring's tail;
// false for none. The caller holds the lock since it found the node.
bool QueueKeyDefinition(const KeyDefinition* definition);

// "<VK_NOFUNCTION>": the key sends nothing.
bool IsNoFunctionText(const wchar16* text, u32 length);
// A literal text in macro-string form: each '<' and '(' doubled, so that the macro
// interpreter takes them as plain characters. How a host's definition is saved.
std::u16string AsMacroString(const wchar16* text, u32 length);
