// Operations on the page memory: the cursor and its moves, the view, pages, erasing,
// inserting and deleting, attributes and boxes. Rows are rows of the current page (the
// page in slot 0: lines 0 to rows-per-page - 1).
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// ---- Painting bookkeeping ----
// Marks cells c0..c1 of a line as changed; whole lines; everything shown.
void TviMarkDirty(int line, int c0, int c1);
void TviMarkLines(int first, int last);
void TviMarkAll();
// The window row that shows a line, -1 when none does.
int TviWindowRowOfLine(int line);
// Paints what changed (the idle step and the end of a run of bytes).
void TviFlushDirty();

// ---- Cells ----
ScreenCell TviBlankCell(u8 ch);
ScreenCell* TviCursorCell();
// Clears one cell by the clearing rule (protected cells kept in protect mode).
void TviClearCell(int line, int column, u8 ch);
void TviClearLine(int line, int c0, int c1, u8 ch);

// ---- Cursor ----
void TviSettleCursor();
void TviCursorUp(int n);
void TviCursorDown(int n);
void TviCursorLeft(int n);
void TviCursorRight(int n);
void TviLineFeed();
void TviReverseLineFeed();
void TviCarriageReturn();
void TviHome();
void TviHomeUnprotected();
// Cursor address in page `page` (-1: the current page).
void TviMoveCursor(int page, int row, int column);
// The view: follows the cursor, or is moved by the user (relative or absolute).
void TviFollowCursor();
void TviSetScrollOffset(bool relative, int value);
void TviReturnView();
bool TviSetScrollRegion(int top, int bottom);
// Scrolls rows top..bottom of the page up or down one line (locked lines stay).
void TviScrollRegionUp(int top, int bottom);
void TviScrollRegionDown(int top, int bottom);

// ---- Pages ----
void TviShowPage(int page);
void TviNextPage();
void TviPreviousPage();
void TviSetPageSize(int pages);
void TviSetColumns(int lastColumn);

// ---- Erase, insert, delete ----
void TviClearPage(u8 ch, bool keepProtected);
void TviEraseLine(int mode, u8 ch);
void TviErasePage(int mode, u8 ch);
void TviInsertChars(int n);
void TviDeleteChars(int n);
void TviInsertLines(int n);
void TviDeleteLines(int n);
void TviInsertLine();
void TviDeleteLine();
void TviCancelField();
void TviTab();
void TviBackTab();
void TviLockRow(bool lock);

// ---- Writing ----
void TviWriteChar(u8 ch, u8 glyph);
void TviAdvanceCursor();

// ---- Attributes and boxes ----
void TviAttribute(u8 x);
// Applies `code` from a cell on (the run rule of ESC G).
void TviApplyAttribute(int line, int column, u8 code);
void TviDropAttributeStart(int line, int column);
void TviBox(int width, int height);
u8 TviMergeBox(u8 existing, u8 piece);
void TviReverseScreen(bool on);
// The colour dialog changed the normal colours: every cell of the 100 lines that had the
// old foreground or background takes the new one.
void TviRecolourScreen(u8 oldForeground, u8 oldBackground, u8 newForeground, u8 newBackground);
