// What the DG screen operations tell the painter: which cells of which rows changed and
// which rows of the screen moved, in the columns the windows show. Writing characters
// collects one pending span on the cursor's row, recorded when the cursor leaves the
// row or the host pauses, so that a run of text is recorded once.
#pragma once

// Line columns first..last of screen row `row` changed.
void DgDamageCells(int row, int first, int last);
// Rows r0..r1 changed across their whole width.
void DgDamageRows(int r0, int r1);
void DgDamageAll();
// Rows r0..r1 moved one row up (or down) across the whole width.
void DgDamageScroll(int r0, int r1, bool up);
// A character written at line column `column` of the cursor's row.
void DgNoteWritten(int row, int column);
// The pending span is recorded now.
void DgFlushPending();
// The window columns a line column of row `row` shows at, -1 when out of view; the
// number of columns the row shows (81 or 135).
int DgWindowColumn(int row, int column);
int DgShownColumns(int row);
// The view's first line column for row `row`.
int DgViewLeftOfRow(int row);
