// Block-mode sends: the page, line, message and "all" operations turn a page's
// contents into a data stream for the host (field addresses or attribute orders on a
// formatted page, rows on an unformatted one), ended by the turnaround character.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

void I3151SendOperation(I3151Send operation);
// ESC S and ESC ! S: the post-send action of a send left pending, every MDT cleared,
// SENDING ended; ESC S also ends PRINTING and unlocks the keyboard.
void I3151EndPendingSend(bool escS);
// The address order of a position: ESC, the letter (X buffer, Y cursor), then row +
// 32 and column + 32, or for a column from 95 on the long form with the lower-case
// letter. Returns the units written (4 or 6).
int I3151EncodeAddress(u16* out, char letter, int row, int column);
