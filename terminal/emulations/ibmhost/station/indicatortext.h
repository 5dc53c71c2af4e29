// Status-row texts of the IBM displays: one unit a column, a character or a symbol of
// the symbol bitmap, and the number and cursor-position texts both emulations show.
#pragma once

#include "terminal/core/base/vxtypes.h"

// One column: an EBCDIC character (0 a blank), or a symbol number with the emulation's
// symbol flag.
struct IndicatorUnit {
    u8 character;
    u8 flags;
};

// `digits` EBCDIC digits of value (the lowest ones), right-aligned.
void IndicatorDigits(IndicatorUnit* out, int value, int digits);
// The cursor position as six units: " rr/cc", or "rr/ccc" on a screen of 100 columns or
// more (row and column 1-based).
void IndicatorCursorPosition(IndicatorUnit out[6], int row, int column, int columns);
