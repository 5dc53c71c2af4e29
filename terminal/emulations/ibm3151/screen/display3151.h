// The IBM 3151's screen as the core sees it: the window rows (the pages' partitions,
// then the status row), the cursor the caret stands for, blinking, the idle repaint and
// the test dump.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

// The record a window row shows (the status row below the pages), nullptr for none.
struct I3151Row;
const I3151Row* I3151WindowRow(int row);
bool I3151TextCursor(int* row, int* column, int* style);
void I3151Dimensions(int* rows, int* pageLength, int* lineCount);
int I3151ExtraRows(int* extraPixels);
int I3151WindowColumns();
int I3151BackgroundIndex();
// The blink tick: rows with blinking cells are painted again.
void I3151RedrawBlinking();
// The reader ran dry: pending spans painted, the cursor's field refreshed.
void I3151IdleWork();
void I3151ScreenText(std::string& out);
// Selection and copy: the pages' rows (not the status row), and what a cell shows.
struct SelectionArea;
struct ScreenCell;
bool I3151SelectionArea(SelectionArea* area);
ScreenCell* I3151SelectionRow(int row, int* columns, int* cellWidth);
u16 I3151CellChar(const ScreenCell& cell);
int I3151StatusLineText(wchar16* buffer, int capacity);
// Whether a cell blinks under the colour settings (its combination's foreground entry
// has the blink bit).
bool I3151CellBlinks(u8 rendition, u8 code);
