// The TeleVideo's programmable function keys: 33 keys in each of two banks, their texts
// packed one after another in a buffer of 256 units per bank. There are two copies of
// both banks: the live keys the keyboard and the host use, and the Setup dialog's
// working copy.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// Which copy of the keys an operation acts on: the live keys (Tvi) or the Setup copy
// (TviSetup).
enum TviKeyCopy : int { kTviLiveKeys = 0, kTviSetupKeys = 1 };
TviFunctionKeyTable* TviFunctionKeysOf(int copy);

// The factory keys into both banks of a copy: every key sends SOH, a letter and CR;
// bank 0 keys 0-15 "@"-"O", 16-31 "`"-"o", bank 1 "P"-"_" and "p"-DEL; key 32 is empty.
// Bank 0 is current afterwards.
void TviDefaultFunctionKeys(int copy);
// Key `key` of the current bank of a copy. The text is cut where the buffer ends; the
// keys after it move by the change in length (what would pass the buffer's end is
// lost). False for a key outside 0-32 or an unknown copy.
bool TviSetFunctionKey(int key, const u16* text, int length, u8 flags, int copy);
// Key `key` of the current bank into `buffer`: its flags unit, then its text. Returns
// the units written (1 for an empty key), -1 for a key outside 0-32; the text is cut to
// the buffer's capacity.
int TviGetFunctionKey(u16* buffer, int capacity, int key, int copy);
// The length and text of a key of the current bank (nullptr outside 0-32).
const u16* TviFunctionKeyText(int key, int copy, int* length);
u8 TviFunctionKeyFlags(int key, int copy);
// Empties every key of the current bank of a copy.
void TviClearFunctionKeys(int copy);
// Bank 0 or 1 becomes current; any other number is ignored.
void TviSelectFunctionKeyBank(int bank, int copy);
// Copies both banks and the current bank of one copy into the other.
void TviCopyFunctionKeys(int from, int to);
// Key `key` of the current bank back to its factory flags and text.
void TviFactoryFunctionKey(int key, int copy);
// True when the key of the current bank equals its factory key in flags and text.
bool TviFunctionKeyIsFactory(int key, int copy);
