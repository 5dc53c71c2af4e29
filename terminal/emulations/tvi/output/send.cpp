// Text sends, reports and identities. A send goes out in pieces of at most 396 units:
// graphics characters as ESC $ ... ESC %, characters from 160 as NAK and the character
// less 128, protected runs skipped or bracketed by the separators.
#include <cstdio>

#include "terminal/core/host/hostio.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

struct Sender {
    u16 units[kTviSendPiece];
    int count = 0;
    bool any = false;       // something went out in this send
    bool graphics = false;  // an ESC $ run is open
    bool protectedRun = false;

    void Put(u16 u)
    {
        if (count == kTviSendPiece)
            Flush();
        units[count++] = u;
        any = true;
    }
    void Flush()
    {
        if (count > 0)
            HostSendBlock(units, count);
        count = 0;
    }
    void EndGraphics()
    {
        if (graphics) {
            Put(0x1B);
            Put('%');
            graphics = false;
        }
    }
    void Pair(int pair)
    {
        EndGraphics();
        for (int i = 0; i < 2; ++i)
            if (u16 u = Tvi.set.terms[pair * 2 + i])
                Put(u);
    }
    void Cell(u8 ch)
    {
        if (ch >= 128 && ch <= 159) {
            if (!graphics) {
                Put(0x1B);
                Put('$');
                graphics = true;
            }
            Put(static_cast<u16>(ch - 64));
            return;
        }
        EndGraphics();
        if (ch == 0)
            Put(' ');
        else if (ch >= 160) {
            Put(0x15);
            Put(static_cast<u16>(ch - 128));
        } else
            Put(ch);
    }
    // Cells c0..c1 of a line.
    void Cells(int line, int c0, int c1, bool unprotectedOnly)
    {
        const TviLine* l = TviLineAt(line);
        if (!l)
            return;
        for (int c = c0; c <= c1; ++c) {
            const ScreenCell& cell = l->cells[c];
            const bool prot = (cell.rendition & kTviProtected) != 0;
            if (unprotectedOnly) {
                if (prot) {
                    if (!protectedRun && any)
                        Pair(0);
                    protectedRun = true;
                    continue;
                }
                protectedRun = false;
            } else if (prot != protectedRun) {
                Pair(prot ? 2 : 3);
                protectedRun = prot;
            }
            Cell(cell.ch);
        }
    }
};

bool UnprotectedOnly(bool asked)
{
    return asked && Tvi.set.protect;
}

void SendText(const char* text)
{
    u16 units[40];
    int n = 0;
    for (; text[n] && n < 40; ++n)
        units[n] = static_cast<u8>(text[n]);
    HostSendBlock(units, n);
}

}  // namespace

void TviSendRowToCursor(bool unprotectedOnly)
{
    Sender s;
    s.Cells(Tvi.cursorRow, 0, Tvi.cursorColumn - 1, UnprotectedOnly(unprotectedOnly));
    s.Pair(4);
    s.Flush();
}

void TviSendPageToCursor(bool unprotectedOnly)
{
    Sender s;
    const bool only = UnprotectedOnly(unprotectedOnly);
    for (int r = 0; r <= Tvi.cursorRow; ++r) {
        s.Cells(r, 0, r == Tvi.cursorRow ? Tvi.cursorColumn - 1 : Tvi.set.lastColumn, only);
        s.Pair(1);
    }
    s.Pair(4);
    s.Flush();
}

void TviSendMessage(bool unprotectedOnly)
{
    const bool only = UnprotectedOnly(unprotectedOnly);
    const int last = Tvi.set.lastColumn, lastRow = Tvi.set.rowsPerPage - 1;
    // Back to the STX before the cursor (home when there is none).
    int r = Tvi.cursorRow, c = Tvi.cursorColumn;
    bool found = false;
    while (r >= 0) {
        if (TviLineAt(r)->cells[c].ch == 0x02) {
            found = true;
            break;
        }
        if (--c < 0) {
            c = last;
            --r;
        }
    }
    if (!found)
        r = c = 0;
    Sender s;
    bool ended = false;
    for (; r <= lastRow && !ended; ++r, c = 0) {
        int end = last;
        for (int x = c; x <= last; ++x)
            if (TviLineAt(r)->cells[x].ch == 0x03) {
                end = x;
                ended = true;
                break;
            }
        s.Cells(r, c, end, only);
        if (ended) {
            Tvi.cursorRow = r;
            Tvi.cursorColumn = end;
        }
    }
    s.Pair(4);
    s.Flush();
    if (!ended)
        TviHomeUnprotected();
    TviFollowCursor();
}

void TviSendStatusRow(int line)
{
    Sender s;
    s.Cells(line, 0, Tvi.set.lastColumn, false);
    s.Pair(1);
    s.Flush();
}

void TviCursorReport(bool withPage)
{
    u16 units[6];
    int n = 0;
    if (withPage)
        units[n++] = static_cast<u16>('0' + Tvi.currentPage);
    units[n++] = static_cast<u16>(Tvi.cursorRow + 32);
    if (Tvi.cursorColumn < 80) {
        units[n++] = static_cast<u16>(Tvi.cursorColumn + 32);
    } else {
        units[n++] = '~';
        units[n++] = static_cast<u16>(Tvi.cursorColumn - 48);
    }
    units[n++] = 0x0D;
    HostSendBlock(units, n);
}

void TviCsiCursorReport(bool withPage)
{
    char text[40];
    if (withPage)
        std::snprintf(text, sizeof text, "\x1b[%d;%d;%dR", Tvi.currentPage, Tvi.cursorRow, Tvi.cursorColumn);
    else
        std::snprintf(text, sizeof text, "\x1b[%d;%dR", Tvi.cursorRow, Tvi.cursorColumn);
    SendText(text);
}

void TviIdentify()
{
    SendText(Tvi.tvi950 ? "1.0,8\r" : "955 1.0,3\r");
}

void TviSendAnswerback()
{
    u16 units[33];
    int n = 0;
    for (; n < 32 && Vt300Values.ans_back[n]; ++n)
        units[n] = Vt300Values.ans_back[n];
    if (n > 0)
        HostSendBlock(units, n);
}
