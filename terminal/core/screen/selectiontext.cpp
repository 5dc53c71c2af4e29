#include "terminal/core/screen/selectiontext.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/screen/charsets.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/screenmodes.h"

namespace {

constexpr u8 kLineDrawingSet = 3, kPcLineSet = 6;
constexpr u16 kBlank = ' ';

// DEC special graphics 106-120 ("j" to "x"): the box-drawing pieces. The scan lines
// 111-115 all copy as the horizontal line, which every font has.
constexpr u16 kDecBoxPieces[15] = {
    0x2518, 0x2510, 0x250C, 0x2514, 0x253C, 0x2500, 0x2500, 0x2500,
    0x2500, 0x2500, 0x251C, 0x2524, 0x2534, 0x252C, 0x2502,
};

// Code page 437 bytes 176-223: shades, blocks and the line pieces.
constexpr u16 kCp437Lines[48] = {
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
};

// The ASCII stand-ins of the box-drawing characters, by ranges.
struct BoxRange {
    u16 first, last;
    char ascii;
};
constexpr BoxRange kBoxToAscii[] = {
    {0x2500, 0x2500, '-'}, {0x2502, 0x2502, '|'}, {0x250C, 0x250C, '+'}, {0x2510, 0x2510, '+'},
    {0x2514, 0x2514, '+'}, {0x2518, 0x2518, '+'}, {0x251C, 0x251C, '|'}, {0x2524, 0x2524, '|'},
    {0x252C, 0x252C, '-'}, {0x2534, 0x2534, '-'}, {0x253C, 0x253C, '+'}, {0x2550, 0x2550, '-'},
    {0x2551, 0x2551, '|'}, {0x2552, 0x255D, '+'}, {0x255E, 0x2563, '|'}, {0x2564, 0x2569, '-'},
    {0x256A, 0x256C, '+'},
};

// Code page 850, 858 and 852 have line pieces only at these bytes.
bool InPcLineRange(int code)
{
    if (PaintSettings.pcCodePage == kPcCp437)
        return code >= 176 && code <= 223;
    return (code >= 176 && code <= 180) || (code >= 185 && code <= 188) || (code >= 191 && code <= 197) ||
           (code >= 200 && code <= 206) || code == 219 || code == 220 || code == 223;
}

// The running family writes the shared store (it has no screen of its own).
bool IsStoreEmulation()
{
    return ActiveFamily().display == nullptr;
}

// The page slot the window shows in multi-page mode.
int ShownPageBase()
{
    for (u32 slot = 0; slot < Screen.pages.pageCount && slot < kMaxPages; ++slot)
        if (static_cast<i32>(Screen.pages.pageId[slot]) == Screen.pageShown)
            return static_cast<int>(slot) * Screen.pageLength;
    return 0;
}

// The character a marked cell contributes to a copy; 0 adds nothing. A family with a
// screen of its own says what its cells show.
u16 CopiedChar(const ScreenCell& cell)
{
    if (!IsStoreEmulation()) {
        const DisplayHooks* display = ActiveFamily().display;
        const u16 c = display->cellChar ? display->cellChar(cell) : cell.ch;
        return c != 0 && c < 32 ? kBlank : c;
    }
    if (cell.rendition & kRendInvisible)
        return kBlank;
    if (IsGraphicCell(cell))
        return CellToChar(cell, false);
    const u16 c = CellRecordToUnicode(cell);
    return c != 0 && c < 32 ? kBlank : c;
}

}  // namespace

SelectionArea StoreSelectionArea()
{
    SelectionArea a;
    if (!Screen.lines || Screen.rows <= 0 || !IsStoreEmulation())
        return a;
    a.available = true;
    a.visibleRows = Screen.rows;
    a.lowestRow = 0;
    if (Screen.multiPage) {
        a.highestRow = Screen.pageLength - 1;
        a.viewTop = Screen.firstLine;
    } else {
        a.highestRow = Screen.historyTarget + Screen.rows - 1;
        a.viewTop = Screen.historyCount;
    }
    const int offset = Screen.lastColumn >= Screen.windowColumns ? Screen.horizontalOffset : 0;
    a.columnBase = offset;
    a.leftColumn = 0;
    a.rightColumn = Screen.lastColumn - offset;
    return a;
}

ScreenLineRecord* StoreSelectionLine(int row)
{
    if (!Screen.lines || row < 0)
        return nullptr;
    if (Screen.multiPage)
        return row < Screen.pageLength ? LineAt(ShownPageBase() + row) : nullptr;
    // The table is a ring in display order: the view at slots 0.., the lines scrolled
    // past after it, the history (newest last) at the end.
    const int d = row - Screen.historyCount;
    if (d >= Screen.rows + (Screen.historyTarget - Screen.historyCount) || -d > Screen.historyCount)
        return nullptr;
    const int slot = d >= 0 ? d : Screen.lineCount + d;
    return slot >= 0 && slot < kScreenLineSlots ? LineAt(slot) : nullptr;
}

SelectionRange OrderedSelection(const SelectionRange& r)
{
    SelectionRange o = r;
    if (r.block) {
        o.row0 = r.row0 < r.row1 ? r.row0 : r.row1;
        o.row1 = r.row0 < r.row1 ? r.row1 : r.row0;
        o.column0 = r.column0 < r.column1 ? r.column0 : r.column1;
        o.column1 = r.column0 < r.column1 ? r.column1 : r.column0;
    } else if (r.row1 < r.row0 || (r.row1 == r.row0 && r.column1 < r.column0)) {
        o.row0 = r.row1;
        o.column0 = r.column1;
        o.row1 = r.row0;
        o.column1 = r.column0;
    }
    return o;
}

bool InSelection(const SelectionRange& o, int row, int column)
{
    if (row < o.row0 || row > o.row1)
        return false;
    if (o.block)
        return column >= o.column0 && column <= o.column1;
    return !(row == o.row0 && column < o.column0) && !(row == o.row1 && column > o.column1);
}

SelectionArea ScreenSelectionArea()
{
    if (IsStoreEmulation())
        return StoreSelectionArea();
    SelectionArea area;
    const DisplayHooks* display = ActiveFamily().display;
    if (!display->selectionArea || !display->selectionRow || !display->selectionArea(&area))
        area = SelectionArea{};
    return area;
}

SelectionRow SelectionRowAt(const SelectionArea& area, int row)
{
    SelectionRow r;
    if (!area.available || row < area.lowestRow || row > area.highestRow)
        return r;
    if (!IsStoreEmulation()) {
        const DisplayHooks* display = ActiveFamily().display;
        if (display->selectionRow)
            r.cells = display->selectionRow(row, &r.columns, &r.cellWidth);
        if (!r.cells || r.columns < 0)
            r = SelectionRow{};
        return r;
    }
    ScreenLineRecord* line = StoreSelectionLine(row);
    if (!line || area.columnBase < 0 || area.columnBase >= kStoreColumns)
        return r;
    r.cells = line->cells + area.columnBase;
    r.columns = kStoreColumns - area.columnBase;
    r.lineFlags = line->cells[0].flags & kLineAttrBits;
    return r;
}

int ApplySelectionMarks(const SelectionArea& area, const SelectionRange* range, SelectionRepaint repaint)
{
    if (!area.available)
        return 0;
    const SelectionRange ordered = range ? OrderedSelection(*range) : SelectionRange{};
    int changed = 0;
    for (int row = area.lowestRow; row <= area.highestRow; ++row) {
        const SelectionRow line = SelectionRowAt(area, row);
        if (!line.cells)
            continue;
        int first = -1, last = -1;
        for (int column = area.leftColumn; column <= area.rightColumn && column < line.columns; ++column) {
            if (column < 0)
                continue;
            u8& flags = line.cells[column].flags;
            const bool want = range && InSelection(ordered, row, column);
            if (((flags & kCellSelected) != 0) == want)
                continue;
            flags = static_cast<u8>(want ? flags | kCellSelected : flags & ~kCellSelected);
            if (first < 0)
                first = column;
            last = column;
            ++changed;
        }
        const int windowRow = row - area.viewTop;
        if (first >= 0 && repaint && windowRow >= 0 && windowRow < area.visibleRows)
            repaint(windowRow, first, last, line.cells, line.lineFlags);
    }
    return changed;
}

SelectionText SelectedText(const SelectionArea& area)
{
    SelectionText text;
    if (!area.available)
        return text;
    for (int row = area.lowestRow; row <= area.highestRow; ++row) {
        const SelectionRow line = SelectionRowAt(area, row);
        if (!line.cells)
            continue;
        auto cellAt = [&](int column) -> const ScreenCell* {
            return column >= 0 && column < line.columns ? &line.cells[column] : nullptr;
        };
        int lastShown = area.leftColumn - 1;
        for (int column = area.rightColumn; column >= area.leftColumn; --column) {
            const ScreenCell* cell = cellAt(column);
            if (cell && CopiedChar(*cell) > 32) {
                lastShown = column;
                break;
            }
        }
        bool contributed = false;
        for (int column = area.leftColumn; column <= lastShown; ++column) {
            const ScreenCell* cell = cellAt(column);
            if (!cell || !(cell->flags & kCellSelected))
                continue;
            contributed = true;
            if (const u16 c = CopiedChar(*cell))
                text.push_back(static_cast<wchar16>(c));
        }
        const ScreenCell* first = cellAt(area.leftColumn);
        const bool blankRowSelected = lastShown < area.leftColumn && first && (first->flags & kCellSelected);
        if (contributed || blankRowSelected) {
            text.push_back('\r');
            text.push_back('\n');
        }
    }
    return text;
}

SelectionText SelectionRowText(const SelectionArea& area, int row)
{
    SelectionText text;
    const SelectionRow line = SelectionRowAt(area, row);
    std::size_t kept = 0;
    for (int column = area.leftColumn < 0 ? 0 : area.leftColumn;
         column <= area.rightColumn && column < line.columns; ++column) {
        const u16 c = CopiedChar(line.cells[column]);
        text.push_back(static_cast<wchar16>(c ? c : kBlank));
        if (c > 32)
            kept = text.size();
    }
    text.resize(kept);
    return text;
}

bool IsBoxDrawingChar(u16 c)
{
    return c >= 0x2500 && c <= 0x25C4;
}

u16 BoxCharToAscii(u16 c)
{
    for (const BoxRange& r : kBoxToAscii)
        if (c >= r.first && c <= r.last)
            return static_cast<u16>(r.ascii);
    return kBlank;
}

bool IsGraphicCell(const ScreenCell& cell)
{
    const u8 set = cell.flags & kGlyphSetMask;
    if (set == kLineDrawingSet)
        return cell.ch >= 106 && cell.ch <= 120;
    return set == kPcLineSet && PaintSettings.characterMode == kCharModePcCodePage && InPcLineRange(cell.ch + 144);
}

u16 CellToChar(const ScreenCell& cell, bool plain)
{
    if (cell.rendition & kRendInvisible)
        return kBlank;
    u16 c = CellRecordToUnicode(cell);
    const u8 set = cell.flags & kGlyphSetMask;
    if (set == kLineDrawingSet && cell.ch >= 106 && cell.ch <= 120)
        c = kDecBoxPieces[cell.ch - 106];
    else if (set == kPcLineSet && cell.ch + 144 >= 176 && cell.ch + 144 <= 223)
        c = kCp437Lines[cell.ch + 144 - 176];
    return plain && IsBoxDrawingChar(c) ? BoxCharToAscii(c) : c;
}

SelectionText FilterPasteText(const wchar16* text, std::size_t length, bool keepLineFeed)
{
    SelectionText out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const u16 c = static_cast<u16>(text[i]);
        if (c == 0)
            break;
        out.push_back(static_cast<wchar16>(IsBoxDrawingChar(c) ? BoxCharToAscii(c) : c));
        if (c != '\r' || i + 1 >= length)
            continue;
        if (text[i + 1] == 0)
            break;
        if (text[i + 1] == '\n') {
            ++i;
            // The LF of the last line never goes: the host has its CR.
            if (keepLineFeed && i + 1 < length && text[i + 1] != 0)
                out.push_back('\n');
        }
    }
    return out;
}

bool PasteKeepsLineFeed()
{
    if (LocalMode)
        return true;
    // The families with screens of their own take the CR alone (the block-mode hosts'
    // field editors among them).
    if (!IsStoreEmulation())
        return false;
    const u8 id = EmulationId;
    return id >= kEmuVt100 && id <= kEmuVt500Bit8 && VtMode.newLineMode != 0;
}
