// The communications loop's turn at the key events of an IBM display, whichever data
// stream: keys and typed characters until none is left; while the keyboard is locked
// they wait on the deferred stack (the keys that act whatever the lock still act), and
// the first turn after it unlocked replays them.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct HostKeyTurn {
    void* session;
    bool (*locked)(void* session);
    // True while typed characters are held for the lock (block or record mode).
    bool (*holdsTyped)(void* session);
    void (*key)(void* session, int code, u32 shift);
    void (*typed)(void* session, wchar16 character);
    // After each event (the display update); null: nothing. False ends the turn (the
    // session went away).
    bool (*after)(void* session);
};

// True when there was an event. `wasLocked` is the lock seen at the last look.
bool TakeHostKeys(const HostKeyTurn& turn, u32& wasLocked);
