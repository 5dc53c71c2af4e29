// Cursor and buffer-address moves of the TA6530. The cursor commands act on the current
// page's cursor (the display page's for typed bytes); the writing and erasing commands
// act on the current address: the write page's buffer address for a host command in
// the block modes, the cursor otherwise.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

struct TaAddress {
    int* line;
    int* column;
};
TaAddress TaCurrentAddress();

void TaCursorLeft();   // BS
void TaCursorRight();  // ESC C
void TaCursorUp();     // ESC A
void TaLineFeed();     // LF
void TaCarriageReturn();
void TaTab();             // HT
void TaBackTab();         // ESC i
void TaCursorHome();      // ESC H
void TaCursorLastLine();  // ESC F
// DC3: row (relative to the page's top displayed line) and column; false when out of
// range.
bool TaSetCursor(int row, int column);
// DC1: the buffer address; false when out of range.
bool TaSetBufferAddress(int row, int column);
// After a host byte written in a block mode: the next column, line, or the page's start.
void TaAdvanceBufferAddress();
// The protected-mode rule after a cursor move: a protected position moves on to the
// next unprotected field.
void TaLeaveProtected();
