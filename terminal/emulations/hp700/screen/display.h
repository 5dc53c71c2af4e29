// The HP 700/92's screen as the core sees it: the 24 window rows onto display memory,
// then the two label rows; the cursor the caret stands for, blinking, the idle repaint
// and the test dump.
#pragma once

#include <string>

#include "terminal/emulations/hp700/hp700.h"

constexpr int kHpLabelRow = kHpScreenRows;  // the first of the two label rows

// The line a window row shows: screen rows 0..23, then the label rows (the label lines
// of the label screens, or the notices), nullptr for none.
const HpLine* Hp700WindowLine(int row);
// The attribute colour table's combination of an enhancement (the table's order is
// bold, underline, flashing, inverse; half-bright is its bold).
int Hp700Combination(u8 enhancement);
// The glyph set a cell draws with: 2 display-function symbols, 1 the alternate set, 0
// text.
int Hp700CellGlyphSet(const ScreenCell& cell);
// The alternate set's glyph place of a code (its lower-case column draws the upper-case
// one), -1 when the code is drawn as text.
int Hp700AlternateGlyph(u8 code);

bool Hp700TextCursor(int* row, int* column, int* style);
void Hp700Dimensions(int* rows, int* pageLength, int* lineCount);
int Hp700ExtraRows(int* extraPixels);
int Hp700WindowColumns();
int Hp700BackgroundIndex();
// The blink tick: rows with blinking cells are painted again.
void Hp700RedrawBlinking();
bool Hp700CellBlinks(const ScreenCell& cell);
// The reader ran dry: the pending span painted, the send queue flushed.
void Hp700IdleWork();
void Hp700ScreenText(std::string& out);
struct SelectionArea;
bool Hp700SelectionArea(SelectionArea* area);
ScreenCell* Hp700SelectionRow(int row, int* columns, int* cellWidth);
u16 Hp700CellChar(const ScreenCell& cell);
