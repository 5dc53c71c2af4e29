// Hexadecimal texts: keyboard layout names, print bypass codes, terminal parameters.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Upper-cases `text` in place and reads it as a hexadecimal number. Returns the value
// (wrapping at 32 bits) with *length set to the number of digits, or -1 with *length
// set to the index of the first character that is not a digit. An empty text gives 0
// with length 0.
i64 ParseHexString(wchar16* text, int* length);
// The value of one hexadecimal digit (either case), -1 for any other character.
int HexDigitValue(int c);
