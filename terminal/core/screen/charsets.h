// Translators between the 8-bit character sets the terminal offers and UTF-16, one
// character at a time, in both directions: cell to character for painting, copying and
// printing; typed or printed character to host or printer byte. Each is a pure function
// over constant tables. "Unchanged" below means the argument comes back as it is.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Values of the user-preferred supplemental set (`upss`) and of the painter's character
// mode, which share one numbering.
enum CharacterMode : u8 {
    kCharModeRoman8 = 2,
    kCharModeCentralEuropean = 3,
    kCharModePcCodePage = 4,
    kCharModeLatin9 = 5,
    kCharModeTurkish = 6,
    kCharModeCyrillic = 7,
    kCharModeKoi8 = 8,
    kCharModeTurkishAlt = 9,
    kCharModeGreek = 10,
    kCharModeHebrew = 11,
};

// PC code page index of character mode 4.
enum PcCodePageIndex : u8 {
    kPcCp437 = 0,
    kPcCp850 = 1,
    kPcCp858 = 2,
    kPcCp1250 = 3,
    kPcCp852 = 4,
};

// Code page 437 / 850 bytes 128-255 to the Latin-1 code of the same character, a blank
// where Latin-1 has none; other values unchanged.
u16 Cp437ToLatin1(u16 c);
u16 Cp850ToLatin1(u16 c);
// Latin-1 160-255 to the code page byte, 0 when the page lacks it; below 160 unchanged,
// above 255 no code (0).
u16 Latin1ToCp437(u16 c);
u16 Latin1ToCp850(u16 c);

// Code page 852 bytes 128-255 to Unicode; other values unchanged.
u16 Cp852ToUnicode(u16 c);
// Unicode to the code page byte (128-255), 0 when the page lacks the character.
u16 UnicodeToCp437(u16 u);
u16 UnicodeToCp850(u16 u);
u16 UnicodeToCp852(u16 u);

// The Central European set: 128-159 as Windows-1250, 160-255 as ISO 8859-2.
u16 Cp1250ToUnicode(u16 c);
u16 UnicodeToCp1250(u16 u);
// Windows-1250 proper, for the PC code page 1250.
u16 Cp1250HighToUnicode(u16 c);

u16 TurkishToUnicode(u16 c);
u16 UnicodeToTurkish(u16 u);
u16 CyrillicToUnicode(u16 c);
u16 UnicodeToCyrillic(u16 u);
u16 Koi8ToUnicode(u16 c);
u16 UnicodeToKoi8(u16 u);
u16 TurkishAltToUnicode(u16 c);
u16 UnicodeToTurkishAlt(u16 u);
u16 GreekToUnicode(u16 c);
u16 UnicodeToGreek(u16 u);
u16 HebrewToUnicode(u16 c);
u16 UnicodeToHebrew(u16 u);

// 0-31 to the PC graphic symbol of that control code; other values unchanged.
u16 ControlCharGlyph(u16 c);

// The character the painter draws for a cell of glyph set 0 in the given character mode
// and PC code page. `controlGlyph` says that a code below 32 is drawn from the
// control-character glyphs (it then stays as it is). Cells of the other glyph sets are
// positions in their glyph resources and are never translated.
u16 TranslateCellChar(u8 characterMode, u8 pcCodePage, u16 c, u8 glyphSet, bool controlGlyph);
