// The HP 700/92's display memory: its line records, the 24-line window onto it, the
// cursor, rolling and paging. Rolling never copies text: it moves line pointers.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// Allocates memory for `pages` pages (2..8; any other count is refused and false
// returned), every line blank and unused, the cursor home at the top of memory.
bool Hp700AllocateMemory(int pages);
void Hp700FreeMemory();
// Setup's setter: 2..8 accepted (the memory is rebuilt when the emulation runs), other
// values ignored; true when accepted.
bool Hp700SetMemoryPages(int pages);

// Memory line k (0..M-1), the line on screen row r (0..23), the cursor's line.
HpLine* Hp700Line(int k);
HpLine* Hp700ScreenLine(int row);
HpLine* Hp700CursorLine();
ScreenCell* Hp700CursorCell();
int Hp700CursorScreenRow();
// True when memory line 0 is no longer on the memory's top (the window shows its last
// 24 lines): a line feed at the bottom then loses line 0.
bool Hp700MemoryFull();
bool Hp700LockRangeSet();

// A blank cell as erasing leaves it, and a line blanked and marked unused.
ScreenCell Hp700BlankCell();
void Hp700BlankLine(HpLine* line);
// The last used memory line, -1 when none.
int Hp700LastUsedLine();
// Lines from the cursor's line up to memory line 0 are marked used.
void Hp700MarkLinesUsed();

// Cursor motion of the host path and the keys.
void Hp700LineFeed();
void Hp700LineFeedCommand();
void Hp700CarriageReturn();
void Hp700CursorUp();
void Hp700CursorDown();
void Hp700CursorRight();
void Hp700CursorLeft();
void Hp700HomeUp();
void Hp700HomeDown();
// Rolling the window: memory rolled up (the window shows later lines) or down.
void Hp700RollUp();
void Hp700RollDown();
void Hp700RollUpLines(int n);
void Hp700RollDownLines(int n);
void Hp700NextPage(bool fromHost);
void Hp700PreviousPage();
// The window follows the cursor's line.
void Hp700MakeCursorVisible();
// Memory lock on or off: the locked range becomes the screen lines above the cursor.
void Hp700MemoryLockOn();
void Hp700MemoryLockOff();

// Columns: 79 or 131.
void Hp700SetColumns(int lastColumn);
