// The Wyse family's screen store. While a personality runs it owns the character
// screen: a page memory of line records carved into pages, one or two split-screen
// windows that show pages, and the 44 screen rows the shared line table lends it
// (row 0 the status line, then the text rows, then the function-key label line), so
// that the core's selection and copy keep working on the shared slots.
//
// Everything here runs on the host-data thread; painting reads the rows under the
// frame lock.
#pragma once

#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/vxtypes.h"
#include "terminal/core/screen/screenstore.h"

constexpr int kWyseScreenRows = 44;        // shared slots 0..43
constexpr int kWysePageMemoryLines = 169;  // page lines 0..168
constexpr int kWyseBlankRecord = 169;      // stands on rows that show nothing
constexpr int kWyseStatusRecord = 170;
constexpr int kWyseLabelRecord = 171;         // unshifted function-key labels
constexpr int kWyseShiftedLabelRecord = 172;  // shifted function-key labels
constexpr int kWyseLineRecords = 173;
constexpr int kWyseMaxPages = 7;
constexpr int kWyseCells = 132;
constexpr int kWyseBanks = 4;
constexpr int kWyseBankGlyphs = 128;

// Cell attribute byte.
constexpr u8 kWyBlink = 0x01, kWyReverse = 0x02, kWyUnderline = 0x04, kWyDim = 0x08, kWyBlank = 0x10;
constexpr u8 kWyVideoBits = 0x1F;
constexpr u8 kWyProtected = 0x20;  // written in write-protect mode
constexpr u8 kWyAttrCell = 0x40;   // an embedded attribute (also protects the cell)
constexpr u8 kWyKeep = 0x80;       // survives a clear
// Cell flags byte: the glyph bank; bit 0 is also the upper half of a WY60 8-bit character.
constexpr u8 kWyBankBits = 0x03;
// Line attributes (the last byte of the record).
constexpr u8 kWyDoubleWidth = 0x08, kWyTopHalf = 0x10, kWyBottomHalf = 0x20;

inline u8& WyseLineAttribute(ScreenLineRecord* line)
{
    return line->cells[kLineCells - 1].flags;
}
inline u8 WyseLineAttribute(const ScreenLineRecord* line)
{
    return line->cells[kLineCells - 1].flags;
}
// Header byte 1: the line is locked (not addressable) and keeps its place on scrolls.
inline bool WyseLineLocked(const ScreenLineRecord* line)
{
    return line->header[1] != 0;
}

// What a page keeps of the writing state; the colour overrides are the character
// model's (and one protected foreground of the embedded model).
struct WyseWriteState {
    u32 protOverrideOn = 0;
    u8 protForeground350 = 0;
    u8 protRendition370 = 0, protColour370 = 0;
    u8 writeAttr = 0;  // the character model's current attribute
    u32 unprotOverrideOn = 0;
    u8 unprotRendition = 0, unprotColour = 0;
    u32 messageOverrideOn = 0;
    u8 messageRendition = 0, messageColour = 0;
};

struct WysePageRecord {
    u16 length = 0;
    u16 first = 0, last = 0;  // page-memory lines
    u16 top = 0;              // top line shown
    u16 cursorLine = 0, cursorColumn = 0;
    u16 spare = 0;
    u8 protectMode = 0;
    u8 protectAttr = 0;
    WyseWriteState write;
};

struct WyseWindowRecord {
    WysePageRecord state;  // of the page it shows
    u16 pageNumber = 0;
    u16 rows = 0;
    u16 firstRow = 0, lastRow = 0;  // screen rows
};

struct WyseStoreState {
    u8 id = 0;                                // the personality (emulation id 8-15)
    ScreenLineRecord* screenBlock = nullptr;  // 44 records for rows that show no page line
    ScreenLineRecord* chunk[8] = {};
    ScreenLineRecord** line = nullptr;            // the page-memory table: line index to record
    WysePageRecord* page = nullptr;               // kWyseMaxPages
    WyseWindowRecord* window = nullptr;           // 2
    u16* bankGlyphs = nullptr;                    // 4 banks of 128 glyph codes
    u8** softGlyph = nullptr;                     // bank x 256 + character: 16-byte bitmaps
    ScreenLineRecord* row[kWyseScreenRows] = {};  // what each screen row shows

    // The core's sizes, given back when the family stops.
    i32 savedLineCount = 0, savedPageLength = 0, savedRows = 0;
    i16 savedLastColumn = 79;

    int pageMemorySize = 169;  // page lines in use
    int pageCount = 0;
    int displaySize = 24;
    int lastColumnAllowed = 131;
    int columnsLast = 79;  // the column count less one (79 or 131)
    int rowsInUse = 26;
    int labelRow = 25;  // -1: none
    int splitMode = 0;  // 0 none, 1, 2, 3 (both windows show pages of their own)
    int active = 0;     // the active window
    int shownPage = 0;
    int cursorLine = 0, cursorColumn = 0, cursorRow = 1;
    int regionFirst = 0, regionLast = 23;
    int lineLast = 79;  // last column of the cursor's line
    bool anyLocked = false;
    bool attrMode60 = false;  // the character-attribute model (WY60)
    u8 blankChar = ' ';
    int paintHold = 0;  // painting suspended while rows are swapped
};
extern WyseStoreState WyStore;

// The personality.
inline u8 WyId()
{
    return WyStore.id;
}
// The store's small questions, asked for every byte: inline.
inline bool WyIs(u8 id)
{
    return WyStore.id == id;
}
bool WyIsTvi();       // TVI910, TVI920, TVI925
bool WyIsPlusOr60();  // WY50+, WY60
inline bool WyIsWy60()
{
    return WyStore.id == kEmuWy60;
}
// True while a store is built and the family runs.
inline bool WyseStoreActive()
{
    return WyStore.line != nullptr;
}

inline WyseWindowRecord& WyActiveWindow()
{
    return WyStore.window[WyStore.active & 1];
}
// The record of a page-memory line (special lines included); nullptr when none.
inline ScreenLineRecord* WyLine(int line)
{
    return WyStore.line && line >= 0 && line < kWyseLineRecords ? WyStore.line[line] : nullptr;
}
// The cursor's cell.
inline ScreenCell* WyCursorCell()
{
    ScreenLineRecord* line = WyLine(WyStore.cursorLine);
    const int c = WyStore.cursorColumn;
    return line ? &line->cells[c < 0 ? 0 : c >= kWyseCells ? kWyseCells - 1 : c] : nullptr;
}

// Building and freeing (the core's lines are lent back when freed).
bool WyseBuildStore();
void WyseFreeScreenStore();
// Rebuilds pages and windows for the settings; `reset` also puts the label lines back.
void WyseRebuildScreen(bool reset);
// The core's row count and window size.
void WyseSetRowCount();
// Blanks a record with a character, attribute and colour (the 132 cells and the line
// attribute; the lock mark is cleared).
void WyseBlankLine(ScreenLineRecord* line, u8 character, u8 attribute, u8 colour);
// The slot after the text rows: the label line to show there.
void WysePlaceLabelLine();
// Row 0 and the label row: which record they show.
void WysePlaceStatusLine();

// Windows, pages and the cursor.
void WyseRefreshWindow(int window, bool followCursor);
// Hangs the window's lines on its rows again, marking nothing.
void WyseHangWindow(int window);
void WyseUpdateCursor();
void WyseSetLineWidth();
void WyseSyncCursorRow();
// Moves the cursor to a row of the page (past locked lines), or a column.
void WyseCursorToRow(int row);
void WyseSetColumn(int column);
void WyseShowPage(int page);
void WyseSelectWindow(int window);
int WyseOtherWindowRow(int line);
// Saves the globals into the active window's page record, and loads them from it.
void WyseSaveWindowState();
void WyseLoadWindowState();
// The screen row a page line shows on in the active window, -1 when not shown.
int WyseRowOfLine(int line);

// Protected cells: marked so (written in write-protect mode, an attribute cell, a
// graphics mark), and protected now (protect mode is on).
bool WyseCellMarkedProtected(const ScreenCell& cell);
bool WyseIsProtectedCell(const ScreenCell& cell);
// From the cursor to the next (previous) unprotected cell; false when none is left
// (forward: the cursor then goes to the start of the region).
bool WyseSkipProtectedForward();
bool WyseSkipProtectedBackward();
u8 WyseFieldAttributeAt(int row, int column);

// Painting holds while rows are swapped; nested.
void WyseSuspendPainting();
void WyseResumePainting();
bool WysePaintingSuspended();
