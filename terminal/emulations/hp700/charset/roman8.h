// The HP 700/92's characters: display memory holds HP Roman-8 codes; the host sends
// Latin-1 (or Roman-8 in 8-bit mode), the painter draws Unicode. The two Roman-8 tables
// are the program's resources 250 and 251 (the engine's own copies stand in until the
// Win32 side hands them over).
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;

// The tables in use: 97 units each (codes for 160..255); null drops both, so codes pass
// unchanged.
void Hp700SetRoman8Tables(const u16* latinToRoman8, const u16* roman8ToLatin);
// The engine's own copies (generated from the same data as the resources).
const u16* Hp700BuiltInLatinToRoman8();
const u16* Hp700BuiltInRoman8ToLatin();

u8 Hp700LatinToRoman8(u8 code);
u8 Hp700Roman8ToLatin(u8 code);
// The one national set with a replacement here ("@" shows as 201 in 7-bit mode).
u8 Hp700NationalCharIn(u8 code);
u8 Hp700NationalCharOut(u8 code);
// A received code into a cell: under Display Functions controls are kept and marked;
// 33..127 get the national replacement (Roman-8 when that leaves 7 bits); other codes
// are stored as they are.
void Hp700StoreCellChar(u8 code, ScreenCell* cell, bool displayFunctions);
// A defined character (user-key labels and strings) as it is stored.
u8 Hp700ConvertDefinedChar(u8 code);
// A cell's code as it is sent: Roman-8 back to the host's 7-bit set outside 8-bit mode.
u8 Hp700SendCode(u8 code);
// What a text cell of Roman-8 code `code` shows, as UTF-16 (the euro where Roman-8 has
// its currency sign).
u16 Hp700Roman8Char(u8 code);
