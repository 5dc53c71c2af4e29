// A 3287 fed with the 3270 data stream prints its whole buffer on start print: the
// buffer cut into print lines, the controls it honours, and print bypass (raw printer
// bytes written as hexadecimal pairs between a start and an end sequence).
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

void I3270PrintBuffer(I3270Session* s);
// A wide text as host bytes, at most `maximum` of them, NUL-ended; null gives "".
void I3270ConvertBypassText(const I3270Session* s, const wchar16* text, u8* bytes, int maximum);
// True when the characters of the cells from `at` equal the byte string; false when
// the buffer ends first (an empty string matches).
bool I3270MatchCells(const I3270Session* s, i32 at, const u8* bytes);
