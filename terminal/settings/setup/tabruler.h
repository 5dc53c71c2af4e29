// The Tab Stops page's ruler: a list box of three lines (tens, units, and "T" at each
// stop) drawn in a fixed-pitch font, one character cell per column, of which 80 columns
// show at a time. The arithmetic of its cells, clicks and scrolling, and the tab line
// it edits.
//
// A tab line is the working copy's form of the stops: the low byte of unit 0 is n, the
// number of columns + 1; units 1 to n - 1 are 'T' (a stop at that column) or a blank;
// unit n is zero.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kRulerColumnsShown = 80;
constexpr int kMaxTabLineColumns = 132;
constexpr int kTabLineUnits = kMaxTabLineColumns + 2;

struct RulerCells {
    int cellWidth;  // pixels per column, at least 1
    int rowHeight;  // pixels per line, at least 1
    int width;      // the list box's new size: 80 cells and its frames
    int height;
};
// From the list box's size and the frames and scroll bar it has.
RulerCells FitRuler(int width, int height, int frameX, int frameY, int scrollHeight);

// Columns of a tab line (n - 1).
int TabLineColumns(const wchar16* line);
// A tab line of `columns` columns from a row of 'T' and blanks (column 1 first).
void MakeTabLine(wchar16* line, const wchar16* stops, int columns);
// The column (1-based) under x pixels with `offset` columns scrolled out to the left;
// 0 when it names no column of the line.
int RulerColumnAt(const wchar16* line, int x, int cellWidth, int offset);
// Flips the stop at a column; false outside 1 .. n - 1.
bool ToggleTabStop(wchar16* line, int column);
// Stops at columns 1, k + 1, 2k + 1 ...; k 0 (or less) clears them all.
void SetTabsEvery(wchar16* line, int k);

// The first column shown after a scroll-bar code (SB_ values) at `position` pixels; -1
// when the message is to be swallowed. The offset stays within 0 .. columns - 80.
int ScrollRuler(const wchar16* line, int offset, int code, int position, int cellWidth);
