// The 5250 cell store: writes mark cells changed (and the rest of a field when an
// attribute comes or goes), and the display update turns changed cells into display
// cells and paints the changed runs. Also the clears the data stream calls, the
// message line, and the window borders and titles.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// The only write of a cell's byte 0. Addresses outside the screen (1..buffer size) and
// the message line are ignored.
void I5250WriteCell(I5250Session* s, u8 byte, i32 address, bool asData);
// Marks one cell for the display update.
void I5250MarkCell(I5250Session* s, i32 address);
// Copies all five bytes of a cell (marked changed).
void I5250CopyCell(I5250Session* s, i32 from, i32 to);
// Clears a cell to five zero bytes (marked changed).
void I5250ZeroCell(I5250Session* s, i32 address);
bool I5250IsAttributeCell(const HostCell& c);
// The first cell past the screen's and the message line's cells.
bool I5250ValidAddress(const I5250Session* s, i32 address);

// The colours and the attribute bits a field attribute (five bits), an extended
// primary attribute and an extended colour give.
struct I5250Look {
    u8 foreground, background;
    u8 bits;
};
I5250Look I5250MapAttributeColours(const I5250Session* s, u8 attribute, u8 extended, u8 extendedColour);
// True when a display cell blinks visibly on the row (statusRow: the status row).
bool I5250CellBlinks(const HostDisplayCell& d, bool statusRow);

void I5250UpdateDisplay(I5250Session* s, bool repaintAll);
void I5250RepaintScreen(I5250Session* s);
void I5250RepaintRows(I5250Session* s, int first, int last);
// Which display row a painted row shows (the shown message line, the status row).
int I5250DisplayRowFor(const I5250Session* s, int row);
void I5250ClearCells(I5250Session* s);
void I5250ClearMessageLine(I5250Session* s);
// Character (NVT) mode past the last row: the rows move up one, the last one blank.
void I5250ScrollCellsUp(I5250Session* s);

// Window frames: rows and columns 0-based; `characters` the eight border characters
// (corners and lines, top-left first). The caller has checked that it fits.
void I5250DrawWindowBorder(I5250Session* s, int firstRow, int left, int lastRow, int right, bool noTopLine,
                           u8 borderAttribute, const u8 characters[8]);
void I5250WriteWindowTitle(I5250Session* s, int row, int first, int last, u8 trailing, u8 leading, int placement,
                           const u8* text, int length);
