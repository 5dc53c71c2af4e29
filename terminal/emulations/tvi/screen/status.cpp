// The status line and its indicators, the status rows, the status bar's fields and the
// factory colours.
#include "terminal/emulations/tvi/screen/status.h"

#include <cstdio>

#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/services.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

constexpr u32 kFieldName = 7409, kFieldCursor = 7400;

constexpr char kRuler[] = "          |    |    |    |    |    |    |    |    |   |LINE|    |    |";

void PutText(int line, int column, const char* text)
{
    TviLine* l = TviLineAt(line);
    if (!l)
        return;
    for (int c = column; *text && c < kTviCells; ++c, ++text) {
        l->cells[c].ch = static_cast<u8>(*text);
        l->cells[c].flags &= 0x80;
    }
    TviMarkDirty(line, column, column + 8);
}

void Indicator(int column, bool on, const char* text)
{
    PutText(kTviStatusLine, column, on ? text : "    ");
}

void SetField(u32 id, const char* text)
{
    wchar16 wide[40];
    int n = 0;
    for (; text[n] && n < 39; ++n)
        wide[n] = static_cast<wchar16>(text[n]);
    wide[n] = 0;
    TviSetStatusField(id, wide);
}

}  // namespace

void TviWriteRuler()
{
    PutText(kTviStatusLine, 0, kRuler);
}

void TviShowIndicators()
{
    if (!TviLinesAllocated())
        return;
    Indicator(31, Tvi.keyboardLocked, "KLOK");
    Indicator(36, Tvi.set.protect != 0, "PROT");
    Indicator(41, Tvi.graphics, "GRAF");
    Indicator(46, Tvi.set.writeProtect != 0, "W.P.");
    PutText(kTviStatusLine, 55, Tvi.set.pageEditMode ? "PAGE" : "LINE");
    TviApplyStatusAttribute();
}

void TviKeyboardLockChanged()
{
    TviShowIndicators();
}

void TviShowInsertState()
{
    TviShowInsertField(Tvi.set.insertMode != 0);
}

void TviShowPrintField(bool on)
{
    if (!TviLinesAllocated())
        return;
    char field[5] = "FPPG";
    if (Tvi.printOptions[1] == 0)
        field[0] = 'U';
    if (Tvi.printOptions[0] == 0)
        field[1] = 'A';
    PutText(kTviStatusLine, 26, on ? field : "    ");
    TviApplyStatusAttribute();
}

void TviShowCursorPosition()
{
    if (!TviLinesAllocated())
        return;
    if (Tvi.cursorRow == Tvi.shownRow && Tvi.cursorColumn == Tvi.shownColumn && Tvi.currentPage == Tvi.shownPage)
        return;
    Tvi.shownRow = Tvi.cursorRow;
    Tvi.shownColumn = Tvi.cursorColumn;
    Tvi.shownPage = Tvi.currentPage;
    char text[32];
    std::snprintf(text, sizeof text, " %03d,%03d ", Tvi.cursorRow + 1, Tvi.cursorColumn + 1);
    SetField(kFieldCursor, text);
    const bool shown = Tvi.set.topRow == kTviStatusLine || Tvi.set.bottomRow == kTviStatusLine;
    if ((Tvi.set.options & kTviOptNoPosition) || !shown)
        return;
    std::snprintf(text, sizeof text, "%d %02d %03d", Tvi.currentPage + 1, Tvi.cursorRow + 1, Tvi.cursorColumn + 1);
    PutText(kTviStatusLine, 2, text);
    TviApplyStatusAttribute();
}

void TviApplyStatusAttribute()
{
    TviLine* line = TviLineAt(kTviStatusLine);
    if (!line)
        return;
    const u8 bits = Tvi.set.statusAttr & (kTviReverse | kTviUnderline);
    for (int c = 0; c < kTviStatusTextColumn; ++c)
        line->cells[c].rendition = static_cast<u8>((line->cells[c].rendition & ~(kTviReverse | kTviUnderline)) |
                                                   bits);
    TviMarkDirty(kTviStatusLine, 0, kTviStatusTextColumn - 1);
}

void TviSetStatusRow(bool top, int which)
{
    int line = kTviBlankLine;
    if (which == 1)
        line = (Tvi.set.options & kTviOptBlankStatus) ? kTviBlankLine : kTviStatusLine;
    else if (which == 2)
        line = kTviUserLine;
    else if (which == 3)
        line = kTviUserLine2;
    if (top)
        Tvi.set.topRow = line;
    else
        Tvi.set.bottomRow = line;
    TviMarkLines(kTviBlankLine, kTviUserLine2);
    TviMarkDirty(Tvi.scrollOffset, 0, kTviCells - 1);
    Tvi.shownRow = -1;
}

const wchar16* TviStatusName()
{
    return Tvi.tvi950 ? VXT(" TVI 950 ") : VXT(" TVI 955 ");
}

void TviShowStatusName()
{
    TviSetStatusField(kFieldName, TviStatusName());
}

void TviClearToProtectedBlanks()
{
    TviHomeUnprotected();
    const int lastRow = Tvi.set.displayHeight < Tvi.set.rowsPerPage - 1 ? Tvi.set.displayHeight
                                                                        : Tvi.set.rowsPerPage - 1;
    for (int r = 0; r <= lastRow; ++r) {
        TviLine* line = TviLineAt(r);
        if (line->locked)
            continue;
        for (int c = 0; c <= Tvi.set.lastColumn; ++c) {
            ScreenCell& cell = line->cells[c];
            if (cell.rendition & kTviProtected)
                continue;
            cell = TviBlankCell(' ');
            cell.rendition = kTviProtected | kTviIntensity;
        }
        TviMarkDirty(r, 0, Tvi.set.lastColumn);
    }
    if (!Tvi.tvi950) {
        Tvi.set.protect = 0;
        TviShowIndicators();
    }
}
