// The host loads keys: function keys (ESC |), one editing key (ESC 0) and half the
// editing keys (ESC ]). Each reader pulls the rest of its sequence from `next`, which
// gives a byte 0-255 or a negative stop value; a stop abandons the sequence, and what
// it had not finished is not stored.
#pragma once

#include "terminal/core/base/vxtypes.h"

using TviByteSource = int (*)();

// ESC | and the byte after it: a blank empties the live current bank; "0" empties it
// and loads keys from key 0 on, one per text; any other byte names the key whose text
// follows. A text starts with its direction digit (the key's flags), DLE takes the next
// byte as it is, FS ends the key and EM the loading; only the "0" form goes on after FS,
// with the next key up to key 31. The TVI 950 numbers its keys its own way.
void TviLoadFunctionKeys(int first, TviByteSource next);
// The key number a key byte names, -1 for none.
int TviFunctionKeyNumber(int keyByte, bool tvi950);
// ESC 0: "1" x and "2" x set key 16 or 36 to ESC x; "@"-"S" u v w set keys 0-19 and
// "`"-"s" keys 20-39 to the three units; any other byte does nothing.
void TviLoadEditKey(TviByteSource next);
// ESC ]: n, then 60 units: keys 0-19 for n "0", else 20-39.
void TviLoadEditKeys(TviByteSource next);
