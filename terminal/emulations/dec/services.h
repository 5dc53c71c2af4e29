// What the terminal core uses of the DEC VT and ANSI emulations.
#pragma once

#include "terminal/core/vxtypes.h"

// The VT420-class view mode kept by the VT emulation (2 = the wheel does nothing).
int Vt420ViewMode();

// Local editing mode of the VT100/VT500 emulations (1 = on): BREAK then sends no more.
extern u8 VtLocalEditFlag;
// The VT terminal model 0-14 (vt100 ... vt525), naming the telnet terminal type.
extern u8 TerminalId;

// The downloaded soft font: 20 rows of 16 bits per character 32-159 (at (character -
// 32) AND 127), drawn from the font's matrix size. nullptr while none is loaded.
struct SoftFontGlyphs {
    const u16* rows;
    int matrixWidth, matrixHeight;
};
const SoftFontGlyphs* CurrentSoftFont();
