// The IBM 3151's pages: their records, their place on the screen, the status row
// records, the pending repaint of each page, and the colours blanks and new characters
// take.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

// Colours the emulation paints with, from the profile's attribute colours: the default
// foreground, the background of written characters and of blank cells, and per
// rendition combination 1..15 (blink 1, reverse 2, underline 4, bold 8) a foreground
// entry (bit 4 blinks, 5 reverse applies, 6 underline drawn, 7 bright flipped) and a
// background entry (bit 6 bold font, 7 the pair replaces the cell's colours).
struct I3151AttributeColourSet {
    u8 foreground = 7, writtenBackground = 0, blankBackground = 0;
    u8 comboForeground[16] = {}, comboBackground[16] = {};
};
extern I3151AttributeColourSet I3151AttributeColours;
// Fills the set from the profile's attribute colours and gives every page's current and
// default cells the new normal colours.
void I3151ApplySetupValues();
u8 I3151WrittenColour();
u8 I3151BlankColour();
ScreenCell I3151BlankCell();

// The state to its power-on values (no pages touched).
void I3151InitState();
// Allocates the rows on the first call (false when memory ran out), then resets every
// page: cursor and buffer address home, one partition of all rows, attributes and
// fields cleared, every row blank; host and display page 0, one page.
bool I3151ResetPages();
void I3151FreePages();
bool I3151PagesAllocated();

// A page row (0..24), and the status records (kI3151HostStatusRow..kI3151PromptRow).
I3151Row* I3151PageRow(I3151PageRecord* page, int row);
I3151Row* I3151StatusRecord(int row);
// The record the status row shows by the status-row mode.
I3151Row* I3151ShownStatusRecord();
// The page that shows screen row `row` and its row in that page; false outside the
// pages (the status row, or a row below the last partition).
bool I3151PageOfScreenRow(int row, int* page, int* pageRow);
void I3151BlankRow(I3151Row* row, u8 colour);

// The write position: the buffer address while the write-position flag is set, else
// the cursor.
int I3151WriteRow(const I3151PageRecord* page);
int I3151WriteColumn(const I3151PageRecord* page);
void I3151SetWritePosition(I3151PageRecord* page, int row, int column);
void I3151SetCursor(I3151PageRecord* page, int row, int column);

// Repainting: a changed span waits on its page until the position leaves its row (or
// the reader idles); the rest is recorded for the next frame at once.
void I3151MarkChanged(I3151PageRecord* page, int row, int c0, int c1);
void I3151FlushPage(I3151PageRecord* page, bool force = false);
void I3151FlushAllPages();
void I3151RepaintPageRows(I3151PageRecord* page, int r0, int r1);
void I3151RepaintPage(I3151PageRecord* page);
void I3151RepaintStatusRow();
void I3151RepaintAll();
// Rows r0..r1 of a page moved one row up (or down): the picture moves with them.
void I3151ScrollPicture(I3151PageRecord* page, int r0, int r1, bool up);
