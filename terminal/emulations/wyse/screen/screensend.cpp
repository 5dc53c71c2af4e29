#include "terminal/emulations/wyse/screen/screensend.h"

#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

constexpr u16 kStx = 0x02, kEtx = 0x03, kEsc = 0x1B, kFs = 0x1C, kUs = 0x1F;
// The units one piece of a send holds; a piece goes out when a cell might not fit.
constexpr int kPieceUnits = 32768;
constexpr int kMostPerCell = 3;

class Sender {
public:
    void Put(u16 unit)
    {
        if (count_ == kPieceUnits)
            Flush();
        units_[count_++] = unit;
    }
    // Room for the units of one cell (a bracket and the character) before it is put.
    void Reserve(int n)
    {
        if (count_ + n > kPieceUnits)
            Flush();
    }
    void Flush()
    {
        if (count_ > 0)
            WyseSendBytes(units_, count_);
        count_ = 0;
    }

private:
    u16 units_[kPieceUnits];
    int count_ = 0;
};
Sender g_sender;

int LineLast(const ScreenLineRecord* line)
{
    return (WyseLineAttribute(line) & kWyDoubleWidth) ? (WyStore.columnsLast + 1) / 2 - 1 : WyStore.columnsLast;
}

u16 CellUnit(const ScreenCell& cell)
{
    return static_cast<u16>((cell.ch & 0x7F) | ((cell.flags & 1) ? 0x80 : 0));
}

// A protected cell's character as sent: graphics marks and (outside the character
// model) cells of another bank as blanks.
u16 ProtectedUnit(const ScreenCell& cell)
{
    if (!(cell.flags & 1) && cell.ch >= 0x10 && cell.ch <= 0x1F)
        return ' ';
    if (!WyStore.attrMode60 && (cell.flags & kWyBankBits))
        return ' ';
    return CellUnit(cell);
}

// Steps back from the start to the cell after an STX marker.
void FindStx(int& line, int& column)
{
    const WyseStoreState& s = WyStore;
    const int limit = WyMode.regionStart ? s.regionFirst : WyActiveWindow().state.top;
    int l = line, c = column;
    for (;;) {
        const ScreenLineRecord* record = WyLine(l);
        if (record && !(record->cells[c].flags & 1) && record->cells[c].ch == kStx) {
            line = l;
            column = c + 1;
            if (column > LineLast(record) && l < s.regionLast) {
                ++line;
                column = 0;
            }
            return;
        }
        if (--c < 0) {
            if (l <= limit)
                return;
            --l;
            c = LineLast(WyLine(l));
        }
    }
}

}  // namespace

int WyseSendStartLine()
{
    return WyMode.regionStart ? WyStore.regionFirst : WyActiveWindow().state.top;
}

void WyseSendScreen(int startLine, int startColumn, int endLine, int endColumn, bool unprotectedOnly, bool fromStx)
{
    WyseStoreState& s = WyStore;
    WyMode.sendIndicator = 1;
    WyseShowTransmitField();
    s.cursorLine = startLine;
    s.cursorColumn = startColumn;
    WyseUpdateCursor();
    int line = startLine, column = startColumn;
    if (fromStx)
        FindStx(line, column);

    bool inProtected = false, ended = false;
    for (int l = line; l <= endLine && !ended; ++l) {
        const ScreenLineRecord* record = WyLine(l);
        if (!record)
            break;
        const int last = l == endLine ? (endColumn < LineLast(record) ? endColumn : LineLast(record))
                                      : LineLast(record);
        for (int c = l == line ? column : 0; c <= last; ++c) {
            const ScreenCell& cell = record->cells[c];
            if (fromStx && !(cell.flags & 1) && cell.ch == kEtx) {
                ended = true;
                break;
            }
            g_sender.Reserve(kMostPerCell);
            if (WyseCellMarkedProtected(cell)) {
                if (unprotectedOnly) {
                    inProtected = true;
                    continue;
                }
                if (!inProtected) {
                    g_sender.Put(kEsc);
                    g_sender.Put(')');
                }
                inProtected = true;
                g_sender.Put(ProtectedUnit(cell));
                continue;
            }
            if (inProtected) {
                if (unprotectedOnly) {
                    g_sender.Put(kFs);
                } else {
                    g_sender.Put(kEsc);
                    g_sender.Put('(');
                }
                inProtected = false;
            }
            g_sender.Put(CellUnit(cell));
        }
        if (l < endLine && !ended) {
            g_sender.Reserve(kMostPerCell);
            if (WySet.blkEnd) {
                g_sender.Put(0x0D);
                g_sender.Put(0x0A);
                g_sender.Put(0x00);
            } else {
                g_sender.Put(kUs);
            }
        }
    }
    g_sender.Put(WySet.blkEnd ? kEtx : 0x0D);
    g_sender.Flush();
    if (!fromStx) {
        if (!WyMode.protectMode)
            WyseNewLine();
    } else if (ended) {
        WyseCursorHome();
    }
    WyMode.sendIndicator = 0;
    WyseShowTransmitField();
}
