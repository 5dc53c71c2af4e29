// The screen operations of local editing: writing, inserting and deleting within the
// cursor's field, lines within the unguarded part of the region, erasing only what is
// not guarded, and the cursor moves of the editing keys.
#include "terminal/comms/printing/printing.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/keys/keymodes.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/input/keyboard/keydispatch.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

u8 BlankGlyphSet()
{
    return (PaintSettings.characterMode == 3 || PaintSettings.characterMode == 4) ? 6 : 0;
}

// An erased cell: a blank; with "edit_clrattr" it also takes the normal colours and
// keeps only its written and selected bits.
void EraseCell(ScreenCell& cell, bool keepLineBits)
{
    const u8 lineBits = keepLineBits ? static_cast<u8>(cell.flags & kLineAttrBits) : 0;
    cell.ch = 0x20;
    cell.flags = static_cast<u8>(BlankGlyphSet() | lineBits);
    if (Vt300Values.edit_clrattr) {
        cell.colour = static_cast<u8>(((AttributeColourTable.bck[0] & 0x0F) << 4) |
                                      (AttributeColourTable.frg[0] & 0x0F));
        cell.rendition &= static_cast<u8>(kRendWritten | kRendSelected);
    }
}

// Erases the unguarded cells (all cells while the rules are not in force) of a span.
void EraseSpan(int row, int first, int last, bool selective)
{
    ScreenLineRecord* line = LineAt(row);
    if (!line)
        return;
    if (first < 0)
        first = 0;
    if (last >= kStoreColumns)
        last = kStoreColumns - 1;
    for (int c = first; c <= last; ++c) {
        if (EditCellGuarded(row, c) || (selective && (line->cells[c].rendition & kRendProtected)))
            continue;
        EraseCell(line->cells[c], c == 0);
    }
    RepaintRowSpan(row, first, last < Screen.lastColumn ? last : Screen.lastColumn);
}

void EraseRows(int first, int last, bool selective)
{
    for (int row = first; row <= last; ++row)
        EraseSpan(row, 0, kStoreColumns - 1, selective);
}

// The bell, then on to the next cell that may be edited.
void Refuse()
{
    RequestBell();
    EditNextUnguarded();
}

// Moves characters within the cursor's field; the written and selected bits travel
// with their characters, the field's own renditions stay where they are.
void ShiftInField(int n, bool insert)
{
    if (n <= 0)
        n = 1;
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (EditCellGuarded(row, column)) {
        Refuse();
        return;
    }
    ScreenLineRecord* line = LineAt(row);
    if (!line)
        return;
    int end = FieldEnd(row, column);
    if (end > Screen.right && column <= Screen.right)
        end = Screen.right;
    const int width = end - column + 1;
    if (n > width)
        n = width;
    constexpr u8 kTravelling = kRendWritten | kRendSelected;
    auto move = [&](int to, int from) {
        ScreenCell& t = line->cells[to];
        const ScreenCell& f = line->cells[from];
        t.ch = f.ch;
        t.colour = f.colour;
        t.flags = static_cast<u8>((t.flags & ~kGlyphSetMask) | (f.flags & kGlyphSetMask));
        t.rendition = static_cast<u8>((t.rendition & ~kTravelling) | (f.rendition & kTravelling));
    };
    auto blank = [&](int at) {
        ScreenCell& t = line->cells[at];
        t.ch = 0x20;
        t.flags = static_cast<u8>((t.flags & ~kGlyphSetMask) | BlankGlyphSet());
        t.rendition &= static_cast<u8>(~kTravelling);
    };
    if (insert) {
        for (int c = end; c >= column + n; --c)
            move(c, c - n);
        for (int c = column; c < column + n; ++c)
            blank(c);
    } else {
        for (int c = column; c + n <= end; ++c)
            move(c, c + n);
        for (int c = end - n + 1; c <= end; ++c)
            blank(c);
    }
    RepaintRowSpan(row, column, end);
}

void ShiftLinesInRange(int n, bool insert)
{
    const int row = Screen.cursorRow;
    if (row < Screen.top || row > Screen.bottom) {
        RequestBell();
        return;
    }
    int last = Screen.bottom;
    if (ProtectionRulesInForce()) {
        // Only the rows down to the first one that holds a guarded cell move.
        for (int r = row; r <= Screen.bottom; ++r) {
            bool guarded = false;
            for (int c = Screen.left; c <= Screen.right && !guarded; ++c) {
                const ScreenLineRecord* line = LineAt(r);
                guarded = line && (line->cells[c].rendition & kRendGuarded);
            }
            if (guarded) {
                last = r - 1;
                break;
            }
        }
        if (last < row) {
            RequestBell();
            return;
        }
    }
    if (n <= 0)
        n = 1;
    const int span = last - row + 1;
    if (n > span)
        n = span;
    // Rotate the range's line records, then blank the lines that came in.
    Screen.rearranging = 1;
    for (int step = 0; step < n; ++step) {
        if (insert) {
            ScreenLineRecord* bottom = Screen.lines[last];
            for (int r = last; r > row; --r)
                Screen.lines[r] = Screen.lines[r - 1];
            Screen.lines[row] = bottom;
        } else {
            ScreenLineRecord* top = Screen.lines[row];
            for (int r = row; r < last; ++r)
                Screen.lines[r] = Screen.lines[r + 1];
            Screen.lines[last] = top;
        }
    }
    Screen.rearranging = 0;
    const int blankFirst = insert ? row : last - n + 1;
    for (int r = blankFirst; r < blankFirst + n; ++r)
        BlankLineCells(LineAt(r));
    UpdateCursorCellPointer();
    RepaintScreen();
}

// Down one line; the region scrolls only while protection is not forced.
void LineDown()
{
    if (Screen.cursorRow == Screen.bottom) {
        if (!ProtectionForced())
            ScrollRegionUp();
    } else if (Screen.cursorRow < Screen.pageLength - 1) {
        MoveCursorAbsolute(Screen.cursorRow + 1, Screen.cursorColumn);
    }
}

}  // namespace

void EditInsertChars(int n)
{
    ShiftInField(n, true);
}

void EditDeleteChars(int n)
{
    ShiftInField(n, false);
}

void EditInsertLines(int n)
{
    ShiftLinesInRange(n, true);
}

void EditDeleteLines(int n)
{
    ShiftLinesInRange(n, false);
}

void EditEraseInDisplay(int ps, bool selective)
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    const int lastRow = Screen.pageLength - 1;
    // clang-format off
    switch (ps) {
    case 0:
        EraseSpan(row, column, kStoreColumns - 1, selective);
        EraseRows(row + 1, lastRow, selective);
        break;
    case 1:
        EraseRows(0, row - 1, selective);
        EraseSpan(row, 0, column, selective);
        break;
    case 3:
        EditCursorHome();
        [[fallthrough]];
    case 2:
        EraseRows(0, lastRow, selective);
        break;
    default: break;
    }
    // clang-format on
}

void EditEraseInLine(int ps, bool selective)
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    switch (ps) {
    case 0: EraseSpan(row, column, kStoreColumns - 1, selective); break;
    case 1: EraseSpan(row, 0, column, selective); break;
    case 2: EraseSpan(row, 0, kStoreColumns - 1, selective); break;
    default: break;
    }
}

void EditEraseCharacters(int n)
{
    if (n <= 0)
        n = 1;
    const int column = Screen.cursorColumn;
    int last = column + n - 1;
    if (last > CursorColumnLimit())
        last = CursorColumnLimit();
    EraseSpan(Screen.cursorRow, column, last, false);
}

void EditClearField()
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (EditCellGuarded(row, column)) {
        EditNextUnguarded();
        return;
    }
    const int first = FieldStart(row, column), last = FieldEnd(row, column);
    MoveCursorAbsolute(row, first);
    EraseSpan(row, first, last, false);
}

void EditEraseUnprotected()
{
    EraseRows(0, Screen.pageLength - 1, false);
}

void EditCursorHome()
{
    if (!ProtectionForced())
        MoveCursor(0, 0);
    else
        MoveCursorAbsolute(Screen.top, 0);
}

void EditLineFeed()
{
    if (AutoPrintOn())
        PrintCursorLine();
    LineDown();
}

void EditReverseIndex()
{
    if (Screen.cursorRow == Screen.top) {
        if (!ProtectionForced())
            ScrollRegionDown();
    } else if (Screen.cursorRow > 0) {
        MoveCursorAbsolute(Screen.cursorRow - 1, Screen.cursorColumn);
    }
}

void EditWrapToNextLine()
{
    if (!VtMode.autoWrap)
        return;
    if (Screen.cursorRow == Screen.bottom && ProtectionForced()) {
        PendingWrap = 0;
        return;
    }
    MoveCursorAbsolute(Screen.cursorRow, 0);
    EditLineFeed();
}

void EditPutChar(int c)
{
    if (PendingWrap) {
        PendingWrap = 0;
        EditWrapToNextLine();
    }
    if (EditCellGuarded(Screen.cursorRow, Screen.cursorColumn) && !EditNextUnguarded())
        return;
    if (VtMode.insertMode)
        ShiftInField(1, true);
    ScreenLineRecord* line = CursorLine();
    if (!line)
        return;
    ScreenCell& cell = line->cells[Screen.cursorColumn];
    const u8 ch = MapCharByGSet(c);
    const u8 glyphSet = static_cast<u8>(CurrentFlags & kGlyphSetMask);
    cell.ch = ch;
    cell.flags = static_cast<u8>((cell.flags & ~kGlyphSetMask) | glyphSet);
    if (!ProtectionForced()) {
        // The guarded and selected bits are the host's and stay with the cell.
        cell.colour = CurrentColour;
        cell.rendition = static_cast<u8>((CurrentRendition & ~kRendSelected) | (cell.rendition & kRendSelected) |
                                         kRendWritten);
        if (CurrentRendition & kRendBlink)
            line->cells[0].flags |= kLineBlinks;
    }
    RepaintCursorRowSpan(Screen.cursorColumn, Screen.cursorColumn);
    if (PaintSettings.displayControls && (c == 10 || c == 11 || c == 12)) {
        VtControlChar(c);
        return;
    }
    // On within the field; at its end to the next cell that may be edited.
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (column >= CursorColumnLimit() || column == Screen.right) {
        PendingWrap = VtMode.autoWrap;
        return;
    }
    const bool fieldEnds = FieldEnd(row, column) == column;
    if (fieldEnds && !Vt300Values.edit_matm && ProtectionForced())
        return;
    MoveCursorAbsolute(row, column + 1);
    if (EditCellGuarded(row, column + 1) && !EditNextUnguarded())
        MoveCursorAbsolute(row, column);
}

void EditTabForwardBy(int n)
{
    if (n <= 0)
        n = 1;
    if (ProtectionRulesInForce() && Screen.cursorRow > Screen.bottom) {
        MoveCursorAbsolute(Screen.pageLength - 1, Screen.right);
        return;
    }
    if (ProtectionRulesInForce() && Screen.cursorRow < Screen.top) {
        MoveCursorAbsolute(Screen.top, 0);
        EditNextUnguarded();
        return;
    }
    for (int step = 0; step < n; ++step) {
        int row = Screen.cursorRow, column = Screen.cursorColumn;
        const ScreenLineRecord* line = LineAt(row);
        if (!line)
            return;
        const u8 bits = line->cells[column].rendition & kFieldBits;
        // The next cell of another field, or the next tab stop.
        do {
            ++column;
        } while (column <= Screen.right && (line->cells[column].rendition & kFieldBits) == bits &&
                 !TabStopAt(column));
        if (column > Screen.right) {
            if (row >= Screen.bottom)
                return;
            ++row;
            column = 0;
        }
        MoveCursorAbsolute(row, column);
        if (!EditNextUnguarded())
            return;
    }
}

void EditTabForward()
{
    EditTabForwardBy(1);
}

void EditBackTab(int n)
{
    if (n <= 0)
        n = 1;
    for (int step = 0; step < n; ++step) {
        int row = Screen.cursorRow, column = Screen.cursorColumn;
        if (row == 0 && column == 0)
            return;
        int start = FieldStart(row, column);
        for (int c = column; c > start; --c)
            if (TabStopAt(c))
                start = c;
        if (start < column && !EditCellGuarded(row, start)) {
            MoveCursorAbsolute(row, start);
            continue;
        }
        // Already at the start: the previous unguarded field.
        if (start > 0) {
            column = start - 1;
        } else {
            if (row <= 0)
                return;
            --row;
            column = Screen.right;
        }
        MoveCursorAbsolute(row, column);
        if (!EditPreviousUnguarded())
            return;
        MoveCursorAbsolute(Screen.cursorRow, FieldStart(Screen.cursorRow, Screen.cursorColumn));
    }
}

// ---- the editing keys ----

void EditTabKey()
{
    if (DispatchShiftState & 1)
        EditBackTab(1);
    else
        EditTabForwardBy(1);
}

void EditBackspaceKey()
{
    if (Vt300Values.barkmode == 1) {
        PushKeyboardInput(0x08);
        return;
    }
    int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (column > 0) {
        --column;
    } else if (row > Screen.top) {
        --row;
        column = Screen.right;
    } else {
        RequestBell();
        MoveCursorAbsolute(0, 0);
        return;
    }
    MoveCursorAbsolute(row, column);
    if (EditPreviousUnguarded())
        ShiftInField(1, false);
}

void EditToggleInsertMode()
{
    VtMode.insertMode = VtMode.insertMode ? 0 : 1;
    ShowInsertModeStatus();
}

bool EditCursorToColumn0OnEnter()
{
    return false;
}

int EditPfKeyMode()
{
    return Vt300Values.edit_pfkey;
}
