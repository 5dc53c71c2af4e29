// The TVI byte path: the core's reader hands every input byte to TviProcessChar; the
// escape dispatcher pulls the rest of a sequence through TviNextByte, so one call
// consumes a whole sequence.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// One input value of the reader (negative values are not bytes and are ignored).
void TviProcessChar(int value);
// The next byte of a sequence as it comes, or -1: the reader stopped or handed over and
// the sequence is abandoned.
int TviNextByte();
// Carries out ESC and the byte after it.
void TviParseEscape(u8 byte);
// ESC [: the CSI walker over the core's table.
void TviBeginCsi();
// A control character (below 32).
void TviControl(u8 byte);
// One character shown at the cursor (the display step of a byte).
void TviDisplayByte(u8 byte);
// Status-row loading: one byte for the line being loaded.
void TviLoadStatusByte(u8 byte);
void TviStartLineLoad(int line, bool clear);
// An ESC met while a sequence was read starts the next sequence.
void TviGiveBackEscape();
