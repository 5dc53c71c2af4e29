// Loading a status row (ESC f, ESC _): the host writes line 97's own part or a user
// line until CR or the line's end.
#include "terminal/emulations/tvi/host/hostpath.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

int StartColumn()
{
    return Tvi.loadLine == kTviStatusLine ? kTviStatusTextColumn : 0;
}

void Write(u8 ch, u8 rendition)
{
    TviLine* line = TviLineAt(Tvi.loadLine);
    ScreenCell& cell = line->cells[Tvi.loadColumn];
    cell.ch = ch;
    cell.flags &= 0x80;
    cell.rendition = static_cast<u8>((cell.rendition & ~kTviProtected) | rendition);
    TviMarkDirty(Tvi.loadLine, Tvi.loadColumn, Tvi.loadColumn);
    if (++Tvi.loadColumn > Tvi.set.lastColumn)
        Tvi.loadLine = 0;
}

// The load column from TAB's argument; a position outside the line is ignored (the
// long form could reach past the line's cells).
void Tab()
{
    const int x = TviNextByte();
    if (x < 0)
        return;
    int column = x - 32;
    if (column > 80) {
        const int b = TviNextByte();
        if (b < 0)
            return;
        column = b + 48;
    }
    if (column >= 0 && column <= Tvi.set.lastColumn)
        Tvi.loadColumn = column;
}

}  // namespace

void TviStartLineLoad(int line, bool clear)
{
    TviLine* l = TviLineAt(line);
    if (!l)
        return;
    Tvi.loadLine = line;
    Tvi.loadColumn = StartColumn();
    if (clear) {
        for (int c = Tvi.loadColumn; c < kTviCells; ++c) {
            l->cells[c] = TviBlankCell(Tvi.set.fillChar);
        }
        l->cells[Tvi.loadColumn].rendition |= kTviAttrStart;
        TviMarkDirty(line, Tvi.loadColumn, kTviCells - 1);
    }
}

void TviLoadStatusByte(u8 b)
{
    if (!Tvi.loadLine || Tvi.loadColumn > Tvi.set.lastColumn) {
        Tvi.loadLine = 0;
        return;
    }
    if (b == 0x0D) {
        Tvi.loadLine = 0;
        return;
    }
    if (b == 0x09) {
        Tab();
        return;
    }
    if (b == 0x1B) {
        const int x = TviNextByte();
        if (x == '(' || x == ')') {
            Tvi.set.writeProtect = x == ')' ? 1 : 0;
        } else if (x == 'G') {
            const int a = TviNextByte();
            if (a < '0' || a > '?')
                return;
            const int d = a - '0';
            u8 code = 0;
            if (d & 1)
                code |= kTviInvisible;
            if (d & 2)
                code |= kTviBlink;
            if (d & 4)
                code |= kTviReverse;
            if (d & 8)
                code |= kTviUnderline;
            TviLine* line = TviLineAt(Tvi.loadLine);
            line->cells[Tvi.loadColumn].rendition |= kTviAttrStart;
            TviApplyAttribute(Tvi.loadLine, Tvi.loadColumn, code);
            if (Tvi.set.attrSpace) {
                line->cells[Tvi.loadColumn].ch = ' ';
                if (++Tvi.loadColumn > Tvi.set.lastColumn)
                    Tvi.loadLine = 0;
            }
        }
        return;
    }
    if (Tvi.set.attrSpace && Tvi.loadColumn == StartColumn())
        ++Tvi.loadColumn;
    if (Tvi.loadColumn > Tvi.set.lastColumn) {
        Tvi.loadLine = 0;
        return;
    }
    Write(b, Tvi.set.writeProtect ? kTviProtected : 0);
}
