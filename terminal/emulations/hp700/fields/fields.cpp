#include "terminal/emulations/hp700/fields/fields.h"

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/screen/write.h"

namespace {

bool ConfigMenu()
{
    return Hp700.menu == kHpMenuConfig;
}

int LastCell()
{
    return Hp700.lastColumn;
}

// Enhancement, security and shift runs end at the next enhancement or shift mark or at
// the end of the line.
void PropagateLook(HpLine* line, int column, u8 mask, u8 value)
{
    ScreenCell* c = line->cells;
    c[column].rendition = static_cast<u8>((c[column].rendition & ~mask) | value);
    for (int i = column + 1; i <= LastCell(); ++i) {
        if (c[i].flags & (kHpMarkEnhancement | kHpMarkShift))
            break;
        c[i].rendition = static_cast<u8>((c[i].rendition & ~mask) | value);
    }
}

// A field run goes on across lines to the next field mark.
void PropagateField(int line, int column, bool unprotected)
{
    for (int k = line; k < Hp700.memoryLines; ++k) {
        ScreenCell* c = Hp700Line(k)->cells;
        for (int i = k == line ? column : 0; i <= LastCell(); ++i) {
            if ((k != line || i != column) && (c[i].flags & kHpMarkField))
                return;
            if (unprotected)
                c[i].rendition = static_cast<u8>((c[i].rendition | kHpUnprotected) & ~kHpOutsideField);
            else
                c[i].rendition = static_cast<u8>(c[i].rendition & ~kHpUnprotected);
        }
    }
}

void MarkedCellChanged()
{
    Hp700FillNullsLeft();
    Hp700MarkLinesUsed();
    Hp700RepaintRows(0, kHpScreenRows - 1);
}

void Bell()
{
    if (Hp700.settings.bell)
        RequestBell();
}

}  // namespace

bool Hp700CellProtected(const ScreenCell& cell)
{
    return !(cell.rendition & kHpUnprotected);
}

bool Hp700FieldStartsAt(int line, int column)
{
    const ScreenCell& c = Hp700Line(line)->cells[column];
    if (!(c.rendition & kHpUnprotected))
        return false;
    if (column > 0)
        return (c.flags & kHpMarkField) || !(Hp700Line(line)->cells[column - 1].rendition & kHpUnprotected);
    if (line == 0)
        return true;
    return !(Hp700Line(line - 1)->cells[LastCell()].rendition & kHpUnprotected);
}

bool Hp700NextFieldStart(int line, int column, int* outLine, int* outColumn)
{
    int last = Hp700LastUsedLine();
    if (last < line)
        last = line;
    const int width = LastCell() + 1;
    const int total = (last + 1) * width;
    int pos = line * width + column;
    for (int n = 0; n < total; ++n) {
        pos = (pos + 1) % total;
        const int k = pos / width, c = pos % width;
        if (k == line && c == column)
            return false;
        if (Hp700FieldStartsAt(k, c)) {
            *outLine = k;
            *outColumn = c;
            return true;
        }
    }
    return false;
}

bool Hp700PreviousFieldStart(int line, int column, int* outLine, int* outColumn)
{
    int last = Hp700LastUsedLine();
    if (last < line)
        last = line;
    const int width = LastCell() + 1;
    const int total = (last + 1) * width;
    int pos = line * width + column;
    for (int n = 0; n < total; ++n) {
        pos = (pos + total - 1) % total;
        const int k = pos / width, c = pos % width;
        if (k == line && c == column)
            return false;
        if (Hp700FieldStartsAt(k, c)) {
            *outLine = k;
            *outColumn = c;
            return true;
        }
    }
    return false;
}

bool Hp700FieldFollows(int line, int column)
{
    const int last = Hp700LastUsedLine();
    for (int k = line; k <= last; ++k)
        for (int c = k == line ? column + 1 : 0; c <= LastCell(); ++c)
            if (Hp700FieldStartsAt(k, c))
                return true;
    return false;
}

int Hp700FieldEndColumn(int line, int column)
{
    const ScreenCell* c = Hp700Line(line)->cells;
    int end = column;
    while (end < LastCell() && (c[end + 1].rendition & kHpUnprotected) && !(c[end + 1].flags & kHpMarkField))
        ++end;
    return end;
}

void Hp700StartField()
{
    if (Hp700.formatMode || ConfigMenu()) {
        Bell();
        return;
    }
    ScreenCell* cell = Hp700CursorCell();
    cell->flags |= kHpMarkField;
    PropagateField(Hp700.cursorRow, Hp700.cursorColumn, true);
    MarkedCellChanged();
}

void Hp700EndField()
{
    if (Hp700.formatMode || ConfigMenu()) {
        Bell();
        return;
    }
    ScreenCell* cell = Hp700CursorCell();
    cell->flags |= kHpMarkField;
    PropagateField(Hp700.cursorRow, Hp700.cursorColumn, false);
    MarkedCellChanged();
}

void Hp700DisplayEnhancement(u8 enhancement, bool security)
{
    ScreenCell* cell = Hp700CursorCell();
    if (ConfigMenu() || (Hp700.formatMode && (security || Hp700CellProtected(*cell)))) {
        Bell();
        return;
    }
    cell->flags = static_cast<u8>((cell->flags & ~kHpMarkSecurity) | kHpMarkEnhancement |
                                  (security ? kHpMarkSecurity : 0));
    const u8 value = static_cast<u8>((enhancement & kHpEnhMask) | (security ? kHpSecurity : 0));
    PropagateLook(Hp700CursorLine(), Hp700.cursorColumn, kHpEnhMask | kHpSecurity, value);
    if (enhancement & kHpEnhBlink)
        Hp700CursorLine()->blinks = 1;
    MarkedCellChanged();
}

namespace {
void Shift(bool out)
{
    ScreenCell* cell = Hp700CursorCell();
    if (ConfigMenu() || (Hp700.formatMode && Hp700CellProtected(*cell))) {
        Bell();
        return;
    }
    Hp700.shiftOut = out;
    cell->flags |= kHpMarkShift;
    PropagateLook(Hp700CursorLine(), Hp700.cursorColumn, kHpAltSet, out ? kHpAltSet : 0);
    Hp700MarkChanged(Hp700CursorScreenRow(), Hp700.cursorColumn, LastCell());
}
}  // namespace

void Hp700ShiftOut()
{
    Shift(true);
}

void Hp700ShiftIn()
{
    Shift(false);
}

void Hp700FormatModeOn()
{
    Hp700.leftMargin = 0;
    Hp700.rightMargin = Hp700.lastColumn;
    Hp700.formatMode = true;
    Hp700HomeUp();
    Hp700HomeToFirstField();
}

void Hp700FormatModeOff()
{
    Hp700.formatMode = false;
}

void Hp700RederiveLine(HpLine* line)
{
    // A field may come down from the line above: cell 0 keeps what it had.
    bool unprotected = (line->cells[0].rendition & kHpUnprotected) && !(line->cells[0].flags & kHpMarkField);
    u8 look = 0, alt = 0;
    for (int i = 0; i < kHpLineCells; ++i) {
        ScreenCell& c = line->cells[i];
        if (c.flags & kHpMarkField)
            unprotected = (c.rendition & kHpUnprotected) != 0;
        if (c.flags & kHpMarkEnhancement)
            look = c.rendition & (kHpEnhMask | kHpSecurity);
        if (c.flags & kHpMarkShift)
            alt = c.rendition & kHpAltSet;
        c.rendition = static_cast<u8>((c.rendition & kHpOutsideField) | look | alt |
                                      (unprotected ? kHpUnprotected : 0));
    }
}

void Hp700HomeToFirstField()
{
    if (!Hp700.formatMode)
        return;
    if (Hp700FieldStartsAt(Hp700.cursorRow, Hp700.cursorColumn))
        return;
    int k = 0, c = 0;
    if (Hp700NextFieldStart(Hp700.cursorRow, Hp700.cursorColumn, &k, &c)) {
        Hp700.cursorRow = k;
        Hp700.cursorColumn = c;
        Hp700MakeCursorVisible();
    }
}
