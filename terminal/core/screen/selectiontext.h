// The text side of selection and the clipboard: which cells of the screen store can be
// selected, marking them (bit 7 of a cell's fourth byte), the text a copy of the marked
// cells gives, and what a paste of clipboard text sends.
//
// Rows of a selection are counted over the whole store in display order: row 0 is the
// oldest history line, the window shows rows viewTop .. viewTop + rows - 1, and the lines
// the user has scrolled past follow. A row keeps its number while the view pans, since
// panning moves the lines and the numbering alike.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

struct ScreenCell;
struct ScreenLineRecord;

using SelectionText = std::basic_string<wchar16>;

struct SelectionArea {
    bool available = false;
    int lowestRow = 0, highestRow = -1;    // selectable rows, in the numbering above
    int leftColumn = 0, rightColumn = -1;  // selectable window columns
    int columnBase = 0;                    // added to a window column for the cell
    int viewTop = 0;                       // the row shown at window row 0
    int visibleRows = 0;
};

// The selectable area of the shared screen store.
SelectionArea StoreSelectionArea();
// The line of a selection row of the store, nullptr outside the store.
ScreenLineRecord* StoreSelectionLine(int row);

// The selectable area of the screen the running family shows: the store's, or that of
// a family with a screen of its own (DisplayHooks::selectionArea; none without it).
SelectionArea ScreenSelectionArea();
// One row of a selection: its cells from the one shown at window column 0.
struct SelectionRow {
    ScreenCell* cells = nullptr;
    int columns = 0;    // cells from there that belong to the row
    int cellWidth = 0;  // pixels a cell is wide; 0 the screen's (twice that when double width)
    u8 lineFlags = 0;   // the store's line attributes
};
// The row of `area` numbered `row`; no cells outside it.
SelectionRow SelectionRowAt(const SelectionArea& area, int row);

struct SelectionRange {
    int row0 = 0, column0 = 0, row1 = 0, column1 = 0;
    bool block = false;  // a rectangle instead of a stream of text
};
// The range with its ends in reading order (block mode: the rectangle's corners).
SelectionRange OrderedSelection(const SelectionRange& range);
// Whether a cell lies in an ordered range.
bool InSelection(const SelectionRange& ordered, int row, int column);

// Called for each visible row whose marks changed: its window row, the window columns
// of its first and last changed cell, the cells as the painter takes them (window
// column 0 first) and the line's attributes.
using SelectionRepaint = void (*)(int windowRow, int c0, int c1, const ScreenCell* cells, u8 lineFlags);
// Marks exactly the cells of `range` in every selectable row (nullptr: marks none);
// only changed cells are written. The count of cells changed.
int ApplySelectionMarks(const SelectionArea& area, const SelectionRange* range, SelectionRepaint repaint);

// The text of the marked cells: each row with a marked cell ends with CR LF, trailing
// blanks dropped; a blank row counts when its first selectable cell is marked. The
// buffer grows with the rows walked, however many the selection reaches into.
SelectionText SelectedText(const SelectionArea& area);

// The text of one row of `area` as copying shows it, marked or not, trailing blanks
// dropped.
SelectionText SelectionRowText(const SelectionArea& area, int row);

// Box-drawing characters U+2500-U+25C4 and their ASCII stand-ins.
bool IsBoxDrawingChar(u16 c);
u16 BoxCharToAscii(u16 c);
// Line-drawing cells and the character they show, as Unicode, or with `plain` as the
// ASCII stand-in of a box-drawing character.
bool IsGraphicCell(const ScreenCell& cell);
u16 CellToChar(const ScreenCell& cell, bool plain);

// Clipboard text as it goes to the host: a CR LF pair loses its LF unless `keepLineFeed`
// and more text follows; the text ends at a NUL after a CR; box-drawing characters
// become ASCII.
SelectionText FilterPasteText(const wchar16* text, std::size_t length, bool keepLineFeed);
// Whether a pasted CR LF keeps its LF in the running emulation.
bool PasteKeepsLineFeed();
