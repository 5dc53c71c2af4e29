#include "terminal/emulations/ibmhost/5250/keyboard/nvt5250.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
int Column(const I5250Session* s)
{
    return ColumnOf(s, s->cursor);
}
}  // namespace

void I5250NvtCarriageReturn(I5250Session* s)
{
    s->cursor -= Column(s);
}

void I5250NvtLineFeed(I5250Session* s)
{
    if (s->cursor + s->current.columns <= s->current.bufferSize) {
        s->cursor += s->current.columns;
        return;
    }
    I5250ScrollCellsUp(s);
    I5250ScrollRows(s);
}

void I5250NvtTab(I5250Session* s)
{
    do {
        if (Column(s) == s->current.columns - 1)
            return;
        ++s->cursor;
    } while (Column(s) % 8);
}

void I5250NvtBackspace(I5250Session* s)
{
    if (Column(s) > 0)
        --s->cursor;
}

void I5250NvtHostCharacter(I5250Session* s, u8 byte)
{
    if (s->cells.empty())
        return;
    switch (byte) {
    case 7: RequestBell(); return;
    case 8: I5250NvtBackspace(s); return;
    case 9: I5250NvtTab(s); return;
    case 10:
        I5250NvtLineFeed(s);
        I5250UpdateDisplay(s, false);
        return;
    case 13: I5250NvtCarriageReturn(s); return;
    default:
        if (byte < 32)
            return;
        break;
    }
    I5250WriteCell(s, UnicodeToHostByte(s->u2s, byte), s->cursor, true);
    if (Column(s) == s->current.columns - 1) {
        I5250NvtCarriageReturn(s);
        I5250NvtLineFeed(s);
    } else {
        ++s->cursor;
    }
}

void I5250NvtTypedCharacter(I5250Session* s, wchar16 ch)
{
    if (LocalMode) {
        I5250NvtHostCharacter(s, static_cast<u8>(ch < 256 ? ch : '?'));
        I5250UpdateDisplay(s, false);
        return;
    }
    HostSendChar(ch);
    if (LocalEcho) {
        I5250NvtHostCharacter(s, static_cast<u8>(ch < 256 ? ch : '?'));
        I5250UpdateDisplay(s, false);
    }
}
