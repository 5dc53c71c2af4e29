// DG character sets: the set codes a slot holds, the national tables that replace a few
// ASCII characters with DG international codes, the DG international upper half, the
// three glyph sets of the terminal's own drawings, and the character a cell shows.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;

// Set codes 0-13.
constexpr u8 kDgSetAscii = 0, kDgSetNational1 = 1, kDgSetNational11 = 2, kDgSetYenBackslash = 3, kDgSetGlyphs3 = 4,
             kDgSetNational6 = 5, kDgSetNational13 = 6, kDgSetKeyboardNational = 7, kDgSetNational14 = 8,
             kDgSetNational4 = 9, kDgSetNational9 = 10, kDgSetInternational = 11, kDgSetGlyphs2 = 12,
             kDgSetGlyphs1 = 13;
constexpr int kDgSetCount = 14;

// The set code of an ANSI designator final (ESC ( x) and of a native RS F S value;
// -1 when it names none.
int DgSetOfAnsiFinal(u8 final);
int DgSetOfNativeValue(int value);

// The initial slots of both personalities, by the 8-bit options in force.
void DgResetCharsets();

// A printable byte 0x20-0xFF received: the stored character and its glyph set (0 text,
// 1-3 the terminal's drawings); a pending single shift is used up.
struct DgStoredChar {
    u8 ch, glyphSet;
};
DgStoredChar DgMapReceived(u8 byte);

// The character a cell shows, as Unicode, and the glyph set its bitmap comes from (0:
// the font draws the character).
struct DgShownChar {
    u16 unicode;
    u8 glyphSet;
};
DgShownChar DgCellToUnicode(u8 ch, u8 glyphSet);
// What copying and printing take from a cell: its drawing's nearest Unicode character.
u16 DgCellText(const ScreenCell& cell);

// A byte of the DG international set (0xA0-0xFF) as Latin-1 (0x20 a blank).
u8 DgInternationalToLatin1(u8 code);
// Glyph bitmaps, 16 rows of 8 pixels (top bit leftmost), for characters from 0x20:
// set 1 holds 35, set 2 96, set 3 64; nullptr outside.
const u8* DgGlyphBitmap(int glyphSet, u8 ch);
