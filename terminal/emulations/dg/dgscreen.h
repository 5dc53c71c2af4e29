// The operations both DG personalities build their commands from: cursor motion within
// the current window (wrapping, rolling, skipping protected cells), erasing, inserting
// and deleting, scrolling a window, the view a window shows of its 162 columns, margins,
// attribute changes over runs of cells, window definitions and widths. Each records what
// it changed for the painter (dgdamage.h).
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kDgKeep = -1;  // a cursor coordinate that stays as it is

// Cursor steps.
void DgCursorForward();
void DgCursorBack();
void DgCursorUp();
void DgCursorDown();
void DgNewLine();
void DgCarriageReturn();
// Index (down one row, scrolling at the bottom) and reverse index (up, scrolling down).
void DgIndex();
void DgReverseIndex();
// Row and column relative to the window (kDgKeep keeps one), clamped to the window.
void DgMoveCursor(int row, int column);
// Row and column of the screen (kDgKeep keeps one): the row picks the window.
void DgSetCursor(int row, int column);
// Moves over protected cells forward (or back) from the cursor when protection is on.
void DgSkipProtected(bool forward);
// The cursor to the home position of its window.
void DgWindowHome();

// Erase modes of a rectangle.
constexpr int kDgEraseAll = 0, kDgEraseUnprotected = 1, kDgEraseToProtected = 2;
void DgEraseRect(int left, int top, int right, int bottom, int mode);
// Erase the window's cells within the view; the erase of the whole screen.
void DgEraseWindow();
void DgClearScreen();

void DgInsertChars(int count);
void DgDeleteChars(int count);
void DgInsertLines(int count, bool withinMargins);
void DgDeleteLines(int count, bool withinMargins);
// The window's rows move up (or down) and a blank row comes in.
void DgScrollUp(int count);
void DgScrollDown(int count);

// The view: pan by columns (toward higher columns: the view's left edge grows), show a
// range, bring the cursor's column into view.
void DgPanView(int columns);
void DgShowColumns(int first, int last);
void DgFollowCursor();
// Margins: set, alternate (saved once), restored.
void DgSetMargins(int left, int right);
void DgAlternateMargins(int row, int left, int right);
void DgRestoreMargins();

// Attributes of `count` + 1 cells from the cursor: mask bits 1 blink, 2 underline,
// 4 reverse, 8 dim inverted; a bit in `set` only sets, in `reset` only clears, in both
// toggles.
void DgChangeAttributes(u32 count, int set, int reset);

// Window definitions as the host sends them: each a row count in two nibbles and a
// compressed flag in one. `next` reads one operand byte (the low four bits count);
// it gives a negative value when the sequence is broken off.
void DgDefineWindows(int (*next)());
// Width of the current window: 80 columns or compressed 134.
void DgSetWindowWidth(bool compressed);
// Every window reset: window 0 covers the screen at normal width.
void DgResetWindows();
// The window the cursor is in is stored back and the one holding `row` loaded.
void DgSelectWindowOfRow(int row);
