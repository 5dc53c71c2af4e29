// How a DG cell looks by its colour byte, renditions and the attribute colours: the
// colours of a run, whether its underline shows and whether a blinking cell is blank.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct DgRunLook {
    int foreground, background;  // palette indexes 0-15
};
// The colours of cells with this selection mark, rendition (low nibble used) and colour
// byte.
DgRunLook DgRunColours(bool selected, u8 rendition, u8 colour);
bool DgRunShowsUnderline(u8 rendition);
// A blinking cell of `row` is drawn blank in the off phase when its look shows the
// blink, blink is enabled and the row lies in the cursor's window.
bool DgBlinkBlanks(int row, u8 rendition, bool phaseOn);
