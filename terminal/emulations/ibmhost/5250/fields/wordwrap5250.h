// Word wrap in a 5250 continued field marked for it: after an edit the field's words
// are laid out again over its lines, a word that would run past a line's end starting
// the next line.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Reflows the field that holds `address`: with `remove` the character there (or the
// nearest one, forward with `forward`) is deleted first. Returns the address that now
// holds the character that was at `address`; with `move` the cursor goes there.
i32 I5250ReflowWordWrapField(I5250Session* s, i32 address, bool move, bool remove, bool forward);
