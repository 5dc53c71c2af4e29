// Sending screen text to the host (block sends), and printing it.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Sends the cells from (startLine, startColumn) to (endLine, endColumn) of the page:
// protected runs bracketed by ESC ")" and ESC "(" (or left out, with FS before each
// unprotected run after one, when `unprotectedOnly`), lines ended by US or CR LF NUL,
// the text by CR or ETX. With `fromStx` the text starts after the STX marker before
// the start and ends at an ETX marker. Long texts go out in pieces; nothing is cut.
void WyseSendScreen(int startLine, int startColumn, int endLine, int endColumn, bool unprotectedOnly,
                    bool fromStx);
// The first line sends and prints start at: the region's or the window's first.
int WyseSendStartLine();
