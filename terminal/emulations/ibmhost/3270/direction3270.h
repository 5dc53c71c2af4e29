// The right-to-left keys of a 3270 display: reversed input within a field, the reversed
// cursor line, the national character map and the mirrored screen.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// Input runs right to left (or back); the cursor first goes to the end of its field,
// where reversed entry starts.
void I3270ReverseInput(I3270Session* s);
// The input direction follows the screen's: reversed on a mirrored screen, normal else.
void I3270ReverseCursorLine(I3270Session* s);
void I3270LocalMapToggle(I3270Session* s);
// Every row of the screen mirrored in place, the cursor with it; the operator
// information area stays as it is.
void I3270ReverseScreen(I3270Session* s);
