// The HP 700/92's forms: display enhancements, character-set shifts and unprotected
// fields start at a marked cell and run to the next mark; in format mode only the
// unprotected fields take input and the cursor moves from field to field.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// A cell is protected in format mode when its unprotected bit is clear.
bool Hp700CellProtected(const ScreenCell& cell);
// True when (line, column) starts an unprotected field.
bool Hp700FieldStartsAt(int line, int column);
// The next field start after (line, column), searching forward through memory and
// wrapping from the last used line to memory line 0; false when the search comes back.
bool Hp700NextFieldStart(int line, int column, int* outLine, int* outColumn);
bool Hp700PreviousFieldStart(int line, int column, int* outLine, int* outColumn);
// True when an unprotected field starts after (line, column) before the end of memory.
bool Hp700FieldFollows(int line, int column);
// The end of the unprotected run holding (line, column) on that line: its last column.
int Hp700FieldEndColumn(int line, int column);

// ESC [ / ESC { and ESC ]; ESC & d; SO and SI.
void Hp700StartField();
void Hp700EndField();
void Hp700DisplayEnhancement(u8 enhancement, bool security);
void Hp700ShiftOut();
void Hp700ShiftIn();
// ESC W, ESC X.
void Hp700FormatModeOn();
void Hp700FormatModeOff();
// A line's cell attributes derived again from its marks (after a clear).
void Hp700RederiveLine(HpLine* line);
// In format mode the cursor moves to the first unprotected field (home up).
void Hp700HomeToFirstField();
