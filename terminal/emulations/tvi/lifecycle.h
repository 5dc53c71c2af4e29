// Start, stop and resets of the emulation, the clear, page size and width, and what the
// host's sequences ask of the keys, the line and the core.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// Start for emulation id 19 or 22 (false when the lines could not be had) and stop.
bool TviStartEngine(u8 id);
void TviStopEngine();
// The margins and modes back to their defaults.
void TviResetModes();
// Full reset; with `readProfile` the profile's values are read again.
void TviFullReset(bool readProfile);
// The main window's reset command.
void TviResetTerminal();
// Clear of all 100 lines.
void TviClearAll();
void TviSetPageSize(int pages);
void TviSetColumns(int lastColumn);
// The TVI 950 flag, and with it the emulation id and the status bar's name.
void TviSetTvi950(bool on);

// ---- What the sequences ask of the keys (the keyboard's tables) ----
void TviDefaultKeys(bool functionKeys, bool editKeys);
void TviEditSetChanged();
void TviHostLoadFunctionKeys();
void TviHostLoadEditKey();
void TviHostLoadEditKeys();
void TviRunKey(int key);
void TviSelectBank(int bank);

// ---- What they ask of the line and the core ----
void TviSetDataBits(bool eight);
void TviSetKeyRepeat(bool on);
void TviSetCursorShape(int shape);
void TviSaveInstance();
