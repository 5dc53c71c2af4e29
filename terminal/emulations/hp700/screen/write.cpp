#include "terminal/emulations/hp700/screen/write.h"

#include <algorithm>

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"
#include "terminal/emulations/hp700/printer/device.h"

namespace {

constexpr u8 kEsc = 0x1B, kCr = 0x0D;

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

void Bell()
{
    if (Hp700.settings.bell)
        RequestBell();
}

void ChangedFromCursor(int lastColumn)
{
    Hp700MarkChanged(Hp700CursorScreenRow(), Hp700.cursorColumn, lastColumn);
}

// In format mode a write on a protected cell goes to the next unprotected field; with
// none after it the cursor homes up and the bell sounds. False when nothing is written.
bool FindWritableCell()
{
    if (!Hp700.formatMode)
        return true;
    if (!Hp700CellProtected(*Hp700CursorCell()))
        return true;
    int k = 0, c = 0;
    if (Hp700FieldFollows(Hp700.cursorRow, Hp700.cursorColumn) &&
        Hp700NextFieldStart(Hp700.cursorRow, Hp700.cursorColumn, &k, &c)) {
        Hp700FlushRow();
        Hp700.cursorRow = k;
        Hp700.cursorColumn = c;
        Hp700MakeCursorVisible();
        return true;
    }
    Hp700FlushRow();
    Hp700HomeUp();
    Hp700HomeToFirstField();
    Bell();
    return false;
}

void Advance()
{
    if (Hp700.cursorColumn < Hp700.rightMargin) {
        ++Hp700.cursorColumn;
    } else if (!Hp700.settings.inheolwrap) {
        Hp700FlushRow();
        Hp700.cursorColumn = Hp700.leftMargin;
        if (Hp700.logBottom)
            Hp700LogLine(Hp700.cursorRow);
        Hp700.spaceOverLatch = false;
        Hp700LineFeed();
        Hp700MarkLinesUsed();
    }
    if (Hp700.formatMode && Hp700CellProtected(*Hp700CursorCell())) {
        int k = 0, c = 0;
        if (Hp700FieldFollows(Hp700.cursorRow, Hp700.cursorColumn) &&
            Hp700NextFieldStart(Hp700.cursorRow, Hp700.cursorColumn, &k, &c)) {
            Hp700FlushRow();
            Hp700.cursorRow = k;
            Hp700.cursorColumn = c;
            Hp700MakeCursorVisible();
        }
    }
}

// The cells from `from` to `to` of a line move one right; `from` is left for the caller.
void ShiftRight(HpLine* line, int from, int to, bool charactersOnly)
{
    ScreenCell* c = line->cells;
    for (int i = to; i > from; --i) {
        if (charactersOnly)
            c[i].ch = c[i - 1].ch;
        else
            c[i] = c[i - 1];
    }
}

void ShiftLeft(HpLine* line, int from, int to, bool charactersOnly)
{
    ScreenCell* c = line->cells;
    for (int i = from; i < to; ++i) {
        if (charactersOnly)
            c[i].ch = c[i + 1].ch;
        else
            c[i] = c[i + 1];
    }
}

// Where insert and delete act on the cursor line: to the right margin, or in format mode
// (and the configuration screen) to the end of the unprotected field.
int EditEnd(bool* charactersOnly)
{
    *charactersOnly = Hp700.formatMode || ConfigMenu();
    if (*charactersOnly)
        return Hp700FieldEndColumn(Hp700.cursorRow, Hp700.cursorColumn);
    return std::max(Hp700.cursorColumn, Hp700.rightMargin);
}

bool NextLineUsed()
{
    return Hp700.cursorRow + 1 < Hp700.memoryLines && Hp700Line(Hp700.cursorRow + 1)->used;
}

void BlankCells(HpLine* line, int from, int to)
{
    for (int i = from; i <= to && i < kHpLineCells; ++i)
        line->cells[i] = ScreenCell{0, 0, 0, 0};
}

// Format mode's clear of cells from..to of a line: unprotected cells lose their text;
// those outside any field also lose their look and marks.
void ClearUnprotected(HpLine* line, int from, int to)
{
    for (int i = from; i <= to; ++i) {
        ScreenCell& c = line->cells[i];
        if (!(c.rendition & kHpUnprotected))
            continue;
        c.ch = c.ch ? ' ' : 0;
        if (!(c.rendition & kHpOutsideField)) {
            c.colour = 0;
            c.flags = static_cast<u8>(c.flags & ~(kHpMarkShift | kHpMarkEnhancement | kHpMarkSecurity));
        }
    }
    Hp700RederiveLine(line);
}

void ResetEntryColumn(HpLine* line, int from)
{
    if (line->entryColumn != kHpNoEntryColumn && from <= line->entryColumn)
        line->entryColumn = kHpNoEntryColumn;
}

}  // namespace

void Hp700FillNullsLeft()
{
    ScreenCell* c = Hp700CursorLine()->cells;
    for (int i = Hp700.cursorColumn - 1; i >= 0 && c[i].ch == 0; --i)
        c[i].ch = ' ';
}

void Hp700WriteChar(u8 b)
{
    // ESC Z ends Display Functions even where the characters cannot be written.
    bool endDisplayFunctions = false;
    if (Hp700.displayFunctions) {
        endDisplayFunctions = Hp700.displayFunctionsEscape && b == 'Z';
        Hp700.displayFunctionsEscape = b == kEsc;
    }
    if (!FindWritableCell()) {
        if (endDisplayFunctions)
            Hp700.displayFunctions = Hp700.displayFunctionsEscape = false;
        return;
    }
    if (Hp700.insertMode == 1)
        Hp700InsertChar();
    else if (Hp700.insertMode == 2)
        Hp700InsertCharWrap();
    ScreenCell* cell = Hp700CursorCell();
    if (b == ' ' && Hp700.spaceOverLatch && cell->ch != 0) {
        Advance();
        return;
    }
    Hp700StoreCellChar(b, cell, Hp700.displayFunctions);
    if (!(cell->rendition & kHpUnprotected))
        cell->rendition |= kHpOutsideField;
    Hp700FillNullsLeft();
    Hp700MarkLinesUsed();
    ChangedFromCursor(Hp700.cursorColumn);
    if (Hp700.typedLocally)
        Hp700FlushRow();
    Advance();
    if (endDisplayFunctions) {
        Hp700.displayFunctions = false;
        Hp700.displayFunctionsEscape = false;
    } else if (Hp700.displayFunctions && b == kCr) {
        Hp700CarriageReturn();
        Hp700LineFeedCommand();
    }
}

void Hp700Tab()
{
    if (Hp700.formatMode) {
        int k = 0, c = 0;
        if (Hp700NextFieldStart(Hp700.cursorRow, Hp700.cursorColumn, &k, &c)) {
            Hp700FlushRow();
            Hp700.cursorRow = k;
            Hp700.cursorColumn = c;
            Hp700MakeCursorVisible();
        }
        return;
    }
    for (int c = Hp700.cursorColumn + 1; c <= Hp700.rightMargin && c <= Hp700.lastColumn; ++c) {
        if (Hp700.tabs[c]) {
            Hp700.cursorColumn = c;
            return;
        }
    }
    if (Hp700.cursorColumn >= Hp700.rightMargin && Hp700.tabs[Hp700.rightMargin])
        return;  // a stop at the right margin holds the cursor there
    Hp700FlushRow();
    Hp700.cursorColumn = Hp700.leftMargin;
    Hp700LineFeed();
}

void Hp700BackTab()
{
    if (Hp700.formatMode) {
        int k = 0, c = 0;
        if (Hp700PreviousFieldStart(Hp700.cursorRow, Hp700.cursorColumn, &k, &c)) {
            Hp700FlushRow();
            Hp700.cursorRow = k;
            Hp700.cursorColumn = c;
            Hp700MakeCursorVisible();
        }
        return;
    }
    for (int c = Hp700.cursorColumn - 1; c >= Hp700.leftMargin; --c) {
        if (Hp700.tabs[c]) {
            Hp700.cursorColumn = c;
            return;
        }
    }
    Hp700.cursorColumn = Hp700.leftMargin;
}

void Hp700SetTab()
{
    Hp700.tabs[Hp700.cursorColumn] = 1;
}

void Hp700ClearTab()
{
    Hp700.tabs[Hp700.cursorColumn] = 0;
}

void Hp700ClearAllTabs()
{
    std::fill(std::begin(Hp700.tabs), std::end(Hp700.tabs), u8{0});
}

void Hp700SetLeftMargin()
{
    if (Hp700.cursorColumn > Hp700.rightMargin) {
        Bell();
        return;
    }
    Hp700.leftMargin = Hp700.cursorColumn;
}

void Hp700SetRightMargin()
{
    if (Hp700.cursorColumn < Hp700.leftMargin) {
        Bell();
        return;
    }
    Hp700.rightMargin = Hp700.cursorColumn;
}

void Hp700ClearMargins()
{
    Hp700.leftMargin = 0;
    Hp700.rightMargin = Hp700.lastColumn;
}

void Hp700ClearToEndOfLine()
{
    if (ConfigMenu()) {
        Hp700ConfigClearField();
        return;
    }
    HpLine* line = Hp700CursorLine();
    if (Hp700.formatMode) {
        if (Hp700CellProtected(line->cells[Hp700.cursorColumn]))
            return;
        ClearUnprotected(line, Hp700.cursorColumn, Hp700FieldEndColumn(Hp700.cursorRow, Hp700.cursorColumn));
    } else {
        BlankCells(line, Hp700.cursorColumn, kHpLineCells - 1);
    }
    ResetEntryColumn(line, Hp700.cursorColumn);
    ChangedFromCursor(Hp700.lastColumn);
}

void Hp700ClearToEndOfMemory()
{
    if (ConfigMenu())
        return;
    Hp700FlushRow();
    for (int k = Hp700.cursorRow; k < Hp700.memoryLines; ++k) {
        HpLine* line = Hp700Line(k);
        const int from = k == Hp700.cursorRow ? Hp700.cursorColumn : 0;
        if (Hp700.formatMode) {
            ClearUnprotected(line, from, Hp700.lastColumn);
        } else if (from == 0) {
            Hp700BlankLine(line);
        } else {
            BlankCells(line, from, kHpLineCells - 1);
        }
        ResetEntryColumn(line, from);
    }
    Hp700RepaintRows(Hp700CursorScreenRow(), kHpScreenRows - 1);
}

void Hp700InsertLine()
{
    if (ConfigMenu())
        return;
    Hp700FlushRow();
    HpLine** l = Hp700.lines;
    const int row = Hp700.cursorRow;
    std::rotate(l + row, l + Hp700.memoryLines - 1, l + Hp700.memoryLines);
    Hp700BlankLine(l[row]);
    l[row]->used = 1;
    Hp700.cursorColumn = Hp700.leftMargin;
    Hp700RepaintRows(Hp700CursorScreenRow(), kHpScreenRows - 1);
}

void Hp700DeleteLine()
{
    if (ConfigMenu())
        return;
    Hp700FlushRow();
    HpLine** l = Hp700.lines;
    const int row = Hp700.cursorRow;
    std::rotate(l + row, l + row + 1, l + Hp700.memoryLines);
    Hp700BlankLine(l[Hp700.memoryLines - 1]);
    Hp700.cursorColumn = Hp700.leftMargin;
    Hp700RepaintRows(Hp700CursorScreenRow(), kHpScreenRows - 1);
}

void Hp700InsertChar()
{
    bool charactersOnly = false;
    const int end = EditEnd(&charactersOnly);
    HpLine* line = Hp700CursorLine();
    ShiftRight(line, Hp700.cursorColumn, end, charactersOnly);
    line->cells[Hp700.cursorColumn].ch = ' ';
    ChangedFromCursor(end);
}

void Hp700InsertCharWrap()
{
    bool charactersOnly = false;
    const int end = EditEnd(&charactersOnly);
    HpLine* line = Hp700CursorLine();
    const u8 pushed = line->cells[end].ch;
    const bool carry = !charactersOnly && NextLineUsed() &&
                       !(Hp700MemoryFull() && Hp700.cursorRow + 1 >= Hp700.memoryLines);
    ShiftRight(line, Hp700.cursorColumn, end, charactersOnly);
    line->cells[Hp700.cursorColumn].ch = ' ';
    ChangedFromCursor(end);
    if (carry && pushed) {
        HpLine* next = Hp700Line(Hp700.cursorRow + 1);
        ShiftRight(next, Hp700.leftMargin, std::max(Hp700.leftMargin, Hp700.rightMargin), false);
        next->cells[Hp700.leftMargin].ch = pushed;
        const int row = Hp700CursorScreenRow() + 1;
        if (row < kHpScreenRows)
            Hp700RepaintRows(row, row);
    }
}

void Hp700DeleteChar()
{
    bool charactersOnly = false;
    const int end = EditEnd(&charactersOnly);
    HpLine* line = Hp700CursorLine();
    ShiftLeft(line, Hp700.cursorColumn, end, charactersOnly);
    if (charactersOnly)
        line->cells[end].ch = ' ';
    else
        line->cells[end] = Hp700BlankCell();
    ChangedFromCursor(end);
}

void Hp700DeleteCharWrap()
{
    bool charactersOnly = false;
    const int end = EditEnd(&charactersOnly);
    HpLine* line = Hp700CursorLine();
    const bool take = !charactersOnly && NextLineUsed();
    ShiftLeft(line, Hp700.cursorColumn, end, charactersOnly);
    line->cells[end].ch = ' ';
    if (take) {
        HpLine* next = Hp700Line(Hp700.cursorRow + 1);
        const int nextEnd = std::max(Hp700.leftMargin, Hp700.rightMargin);
        line->cells[end].ch = next->cells[Hp700.leftMargin].ch ? next->cells[Hp700.leftMargin].ch : ' ';
        ShiftLeft(next, Hp700.leftMargin, nextEnd, false);
        next->cells[nextEnd] = Hp700BlankCell();
        const int row = Hp700CursorScreenRow() + 1;
        if (row < kHpScreenRows)
            Hp700RepaintRows(row, row);
    }
    ChangedFromCursor(end);
}
