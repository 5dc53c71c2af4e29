// The TVI screen as the core sees it: the 26 window rows, the cursor the caret stands
// for, the idle work, the test dump, selection and what a cell shows.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

struct SelectionArea;
struct ScreenCell;

bool TviTextCursor(int* row, int* column, int* style);
void TviDimensions(int* rows, int* pageLength, int* lineCount);
int TviWindowColumns();
int TviBackgroundIndex();
void TviIdleWork();
void TviIdleRefresh();
void TviRedrawBlinking();
void TviScreenText(std::string& out);
bool TviSelectionArea(SelectionArea* area);
ScreenCell* TviSelectionRow(int row, int* columns, int* cellWidth);
u16 TviCellChar(const ScreenCell& cell);
// The character a cell shows (blanks for invisible cells, attribute starts with
// attribute space, and the screen switched off); 0 for a line or block glyph.
u16 TviShownChar(const ScreenCell& cell);
// True when the cell's combination blinks under the colour settings.
bool TviCellBlinks(const ScreenCell& cell);
// The colour bytes of a cell: the combination's index.
int TviCombination(u8 rendition);
