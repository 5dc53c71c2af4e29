// The repaint map: which cells of which screen rows changed since the last flush. Marks
// cost nothing but a compare; a flush hands the spans to the frame's damage record, which
// asks for a frame. The map is flushed before every scroll of the painted screen, since
// the damage record moves its marks with the rows a scroll moves.
#pragma once

#include "terminal/core/base/vxtypes.h"

void WyseMarkDirty(int row, int column);
void WyseMarkDirtySpan(int row, int first, int last);
void WyseRepaintRow(int row);
void WyseRepaintAll();
// Hands the marks to the damage record and clears them.
void WyseRepaintDirtyRows();
bool WyseRepaintPending();
// Forgets every mark (the store is rebuilt or left).
void WyseClearRepaintMap();
// The screen row of a page line in the active window, and of the other window in split
// mode 3; each marked from `column` on to the next embedded attribute (the run the
// attribute governs), or only the span.
void WyseRepaintPageSpan(int line, int first, int last);
void WyseRepaintPageLineRun(int line, int column);
void WyseRepaintAttributeRun(int row, int column);
// The row a special line stands on (the status record on row 0, a label record on the
// label row), -1 when it is not shown.
int WyseSpecialLineRow(int line);
void WyseRepaintSpecialLineRun(int line, int column);
// One line of the painted screen moves up (down) between two rows; the map is flushed
// first and the uncovered row painted by the frame.
void WyseScrollUpFast(int firstRow, int lastRow);
void WyseScrollDownFast(int firstRow, int lastRow);
