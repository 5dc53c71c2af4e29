// The status line below the text rows: none, the terminal's own indicator line, or a
// line the host writes like a one-line screen (DECSSDT, DECSASD). Any emulation of the
// DEC/ANSI family that has a host-writable status line (AIXTerm too) selects it here.
#pragma once

#include "terminal/core/base/vxtypes.h"

enum StatusDisplayTypeValue : u16 { kStatusNone = 0, kStatusIndicator = 1, kStatusHostWritable = 2 };

// The type the user set up ("sl_type"); resets return to it.
void ResetStatusDisplay();
// DECSSDT's operation: 0 none, 1 indicator, 2 host-writable; others only redraw.
void SelectStatusDisplayType(int type);
// DECSASD's operation: 0 the main display, 1 the status line (host-writable type only
// through the host's command; callers of the family may select it directly). The VT
// state of the display left behind is kept for the display's return.
void SelectActiveDisplay(int display);
// Clears the host-writable line and its state (cursor home, no wrap, plain rendition).
void ResetHostStatusLine();
// The reverse rendition of every cell of the host-writable line on or off, then the line
// redrawn (AIXTerm's CSI ? 48 h / l).
void SetHostStatusLineReverse(bool on);
// An emulation with a status line of its own is active: the functions here then keep
// still.
bool IsOwnStatusEmulation();
// The text the status line shows, trailing blanks removed (test screen dump).
int StatusLineText(wchar16* buffer, int capacity);
// The status line painted below the text rows (and, for the indicator, written anew
// first): the family's status-line entries.
void DecRefreshStatusLine();
void DecInvalidateStatusLine();
int ActiveStatusDisplay();

// Pages, page lengths and areas belong to the main display: while the host writes the
// status line, a command on them runs with the main display active for its duration.
class MainDisplayScope {
public:
    MainDisplayScope() : was_(ActiveStatusDisplay()) { SelectActiveDisplay(0); }
    ~MainDisplayScope() { SelectActiveDisplay(was_); }
    MainDisplayScope(const MainDisplayScope&) = delete;
    MainDisplayScope& operator=(const MainDisplayScope&) = delete;

private:
    int was_;
};
