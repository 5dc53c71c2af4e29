// Printer character sets: what a printed character becomes on its way to a printer
// that takes bytes, by the profile's output character set ("ConvertHostChars"), and
// the national translation of the bytes that printer-controller mode passes on.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Output character sets ("ConvertHostChars"), named by language strings 16006-16017.
enum PrintCharset : u32 {
    kPrintLatin1 = 0,
    kPrintNational7Bit = 1,
    kPrintRoman8 = 2,
    kPrintLatin2 = 3,
    kPrintLatin5 = 4,
    kPrintLatin9 = 5,
    kPrintEbcdic = 6,
    kPrintCp437 = 7,
    kPrintCp850 = 8,
    kPrintCp852 = 9,
    kPrintCp858 = 10,
    kPrintCp1250 = 11,
};
constexpr u32 kPrintCharsetCount = 12;

// The first {output, input} pair of a zero-ended pair table whose input is the byte
// gives its output; no match (or no table) leaves the byte as it is. The national
// replacement sets are such tables: a 7-bit code and the character it shows.
u8 MapCharByPairTable(u8 b, const u8* table);

// Translates one printed character for the output character set `charset` into at
// most 3 bytes (7-bit national overstrikes such as "c" BS "|" take 3); returns how
// many. `national` is the national replacement set (nullptr: none). A character the
// set cannot show prints as a blank.
int TranslatePrintChar(u32 charset, u16 ch, const u8* national, u8 out[3]);

// A byte received in printer-controller mode as the printer is to get it: with the
// 7-bit national output set and outside multinational mode a 7-bit byte becomes the
// character the national set shows at that code; otherwise it is unchanged.
u8 MapControllerChar(u8 b);
// The running emulation's national replacement set, nullptr for none.
const u8* PrintNationalSet();
