// The status line (line 97), the status rows shown above and below the display rows,
// the status bar's fields, and the colours of the attribute combinations.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// The indicators of line 97 from the modes (PROT, GRAF, W.P., LINE/PAGE, KLOK).
void TviShowIndicators();
void TviKeyboardLockChanged();
void TviShowInsertState();
// The print field at column 26: "FPPG" with its variants, or blanks.
void TviShowPrintField(bool on);
// The cursor position in the status bar and on line 97 (idle step).
void TviShowCursorPosition();
// The status line's cells take the status-line attribute.
void TviApplyStatusAttribute();
// The top (or bottom) row shows: 0 the blank line, 1 the status line, 2 and 3 the user
// lines.
void TviSetStatusRow(bool top, int which);
// The ruler written into line 97 at every clear.
void TviWriteRuler();
// The status bar's name of the terminal (" TVI 950 " or " TVI 955 ").
const wchar16* TviStatusName();
// ESC ,: home, then unprotected cells of the display rows become protected blanks.
void TviClearToProtectedBlanks();
// Writes the terminal's name into the status bar.
void TviShowStatusName();
