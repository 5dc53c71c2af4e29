// Cursor motion: the steps control characters, the character writer and the escape
// sequences make over unprotected cells and the addressable lines of the active
// window's region, with line feed's auto page, auto scroll and auto print.
#pragma once

// Return 1 when no move was possible (the last column, the first column, the region's
// edge), else 0.
int WyseCursorRightUnprotected();
int WyseCursorLeftUnprotected();
int WyseCursorUpRow();
int WyseCursorDownRow();
void WyseCursorRight();
void WyseCursorLeft();
void WyseCursorUp();
void WyseAdvanceAfterWrite();
void WyseCarriageReturn();
void WyseLineFeed();
// Column 0, then a line feed (US).
void WyseNewLine();
void WyseCursorHome();
// The first addressable line of the region.
int WyseFirstAddressableLine();

// The region's lines from `first` to `last` move one addressable slot up (the line at
// `first` drops out) or down (the line at `last` drops out); locked lines stay. The line
// that came round is blanked with spaces and the screen repainted (scrolled when the
// lines are shown whole).
void WyseScrollLines(int first, int last, bool up);
