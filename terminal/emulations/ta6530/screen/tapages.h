// The TA6530 page store: 400 lines of 80 cells, cut into one conversational page, up
// to 16 block-mode pages of 24 lines or the 24-line ANSI page; the write page the host
// fills and the display page the user sees; and the map of changed cells that tells the
// frame which rows to paint.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

// Builds the store on entry: every line blank, no page shown yet.
void TaBuildStore();
// A blank line (double width in 40-column operation).
void TaClearLine(TaLine& line);
void TaClearLineAt(int index);
// Cuts the lines into pages for the mode just entered; text survives only in the 24
// lines carried over from conversational or ANSI mode.
void TaBuildPageTable();
void TaSelectWritePage(int n);
void TaSelectDisplayPage(int n);
// Points the window's rows at the display page and repaints what changed.
void TaShowPage();
// The cursor and the buffer address kept inside their page; outside the block modes
// the buffer address follows the cursor.
void TaUpdateCursor();

TaPage& TaWritePage();
TaPage& TaDisplayPage();
bool TaPageShown();
// The window row a line of the line table shows in, -1 when it is not shown.
int TaRowOfLine(int index);
// The line a row of a page stands for (rows relative to its top line in conversational
// mode, to its first line otherwise).
int TaPageLine(const TaPage& page, int row);
int TaPageRow(const TaPage& page, int line);

// Changed cells of the window rows (24 the status row).
void TaMarkDirty(int row, int column);
void TaMarkDirtySpan(int row, int c0, int c1);
void TaMarkLineDirty(int index, int c0, int c1);
void TaRepaintRows(int r0, int r1);
// Hands the changed cells to the frame.
void TaRepaintDirtyRows();
bool TaAnyDirty();
