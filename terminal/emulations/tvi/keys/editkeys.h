// The TeleVideo's editing keys: 40 sequences of up to three units (20 unshifted keys,
// then 20 shifted), which the host may load. Like the function keys there is a live
// table and the Setup dialog's working copy.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

constexpr int kTviEditUnits = 3;
constexpr int kTviEditHalfUnits = 20 * kTviEditUnits;  // one profile value, one ESC ] load

// The table of a copy (TviKeyCopy): the live keys or the Setup copy.
TviEditKeyTable* TviEditKeysOf(int copy);

// The factory sequences of a copy, in the set its option bit 4 chooses: set, the cursor
// keys send VT, SYN, BS, FF; clear, DLE, SOH, STX, ACK and the shifted keys send
// ANSI-style sequences.
void TviDefaultEditKeys(int copy);
void TviDefaultEditKeysInSet(int copy, bool secondSet);
// The factory units of one entry in a set.
const u16* TviFactoryEditKey(int entry, bool secondSet);
void TviSetEditKey(int entry, u16 u, u16 v, u16 w, int copy);
// Half 0 (entries 0-19) or 1 (20-39) from or into 60 units.
void TviSetEditKeys(int half, const u16* units, int copy);
int TviGetEditKeys(int half, u16* units, int copy);
// Copies one copy's table into the other.
void TviCopyEditKeys(int from, int to);
