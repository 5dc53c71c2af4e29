// Character sets: how a cell's 7-bit character and bank number become a glyph, the
// four character banks of the WY60 with their set assignments and national variants,
// the down-loaded characters, and host codes at or above 128 to and from Unicode.
//
// A glyph code is the Unicode character the glyph shows; bit 15 names a down-loaded
// character (bank x 256 + character in its low bits).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u16 kWyseSoftGlyph = 0x8000;

struct WyseBankState {
    u8 setCode[4];    // the character-set code each bank was loaded from
    u8 large[4];      // loaded for more than 25 display lines
    u8 selector[2];   // the banks the two selectors name
    u8 current;       // the selected selector's bank (the cell's glyph flags in WY60)
    u8 otherCurrent;  // the current bank of the other personalities
};
extern WyseBankState WyBanks;

// The glyph flags of the next written cell (WY60).
u8 WyseCurrentGlyphFlags();
// A mode character "0".."=" assigns the four banks and reloads them; others change
// nothing.
void WyseSelectCharsetMode(int mode);
void WyseResetCharsets();
void WyseLoadBank(int bank);
void WyseFreeSoftChars(int bank);
// Stores a down-loaded character (16 rows of 8 pixels); false for a bank above 3, a
// character above 127 or no memory.
bool WyseLoadSoftChar(int bank, int character, const u8* rows);
// The bitmap of a down-loaded glyph code, nullptr when none.
const u8* WyseSoftGlyphRows(u16 glyph);
// The bank code of the national variant for the display size.
u8 WyseNationalSetCode(int lines);
// The glyph a cell shows.
u16 WyseCharGlyph(u8 character, u8 bank);
// Host codes and Unicode: below 128 unchanged; the C1 range is refused (-1).
int WyseUnicodeToHostChar(int unicode);
u16 WyseHostCharToUnicode(int code);
// The character a cell shows for copying, printing and the screen dump.
u16 WyseCellUnicode(u8 character, u8 flags);
