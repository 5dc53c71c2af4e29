// Erasing, inserting and deleting on a TA6530 page, and the view of the conversational
// page: its scrolling and paging.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

// Rows and columns relative to the current page (its first line); false when out of
// range.
bool TaEraseRange(int firstRow, int firstColumn, int lastRow, int lastColumn);
// Every line of a page blank; the cursor home.
void TaClearPage(TaPage& page);
void TaEraseToEndOfPage();
void TaEraseToEndOfLine();
void TaInsertLine();
void TaDeleteLine();
void TaInsertChar();
void TaDeleteChar();
// Protected block mode: every unprotected field unmodified.
void TaResetModifiedTags();

// The conversational (and ANSI) page: the lines move up one when the view shows the
// page's end, else the view moves one line on; and the mirror of it.
void TaScrollUp();
void TaScrollDown();
void TaNextPage();
void TaPreviousPage();
void TaSetScrollPosition(int line);
