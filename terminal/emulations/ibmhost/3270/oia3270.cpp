#include "terminal/emulations/ibmhost/3270/oia3270.h"

#include <chrono>
#include <cstring>

#include "terminal/emulations/ibmhost/3270/cells3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"

u32 (*I3270TickCount)() = [] {
    using namespace std::chrono;
    return static_cast<u32>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
};

namespace {
constexpr u8 kBlue = 0xF1, kRed = 0xF2, kYellow = 0xF6, kWhite = 0xF7;
constexpr int kInhibitFirst = 9, kInhibitLast = 17;

// Indicator texts as data: a unit above 0xFF is a symbol, else an ASCII letter that is
// converted through the session's code page; 0 ends the text.
constexpr u16 Sym(u8 v)
{
    return static_cast<u16>(0x100 | v);
}
struct InhibitEntry {
    u16 text[9];
    u8 colour;
};
constexpr InhibitEntry kInhibitEntries[17] = {
    {{'S', 'E', 'S', 'S', ' '}, kWhite},
    {{Sym(0x36), ' ', 'P', 'R', 'O', 'G'}, kYellow},
    {{Sym(0x36), ' ', '?', '+'}, kRed},
    {{Sym(0x36), ' ', Sym(0x27), Sym(0x31), Sym(0x29)}, kYellow},
    {{Sym(0x36), ' ', Sym(0x34), Sym(0x35)}, kWhite},
    {{Sym(0x36), ' ', Sym(0x27), Sym(0x31), Sym(0x27), Sym(0x34), Sym(0x35)}, kYellow},
    {{Sym(0x36), ' ', Sym(0x27), Sym(0x31), Sym(0x27), Sym(0x34), Sym(0x35), Sym(0x34), Sym(0x35)}, kYellow},
    {{Sym(0x36), ' ', Sym(0x2B), 'N', 'U', 'M'}, kRed},
    {{Sym(0x36), ' ', Sym(0x2B), ' ', Sym(0x36)}, kRed},
    {{Sym(0x36), ' ', Sym(0x38), Sym(0x2B), Sym(0x28)}, kRed},
    {{Sym(0x36), ' ', Sym(0x2B), '>'}, kRed},
    {{Sym(0x36), ' ', Sym(0x2B), '<'}, kRed},
    {{Sym(0x36), ' ', '-', Sym(0x21)}, kRed},
    {{Sym(0x36), ' ', '-', 'f', ' ', Sym(0x2B), Sym(0x36)}, kRed},
    {{Sym(0x36), ' ', Sym(0x2B), '#', '?'}, kRed},
    {{Sym(0x36), ' ', '-', 'f'}, kRed},
    {{Sym(0x36), ' ', 'S', 'Y', 'S', 'T', 'E', 'M'}, kWhite},
};

// Session state at columns 2-6: blank, then the symbols of the NVT, SSCP-LU and 3270
// phases, and "TEST".
constexpr u16 kSessionStates[5][5] = {
    {0}, {Sym(0x2E)}, {Sym(0x3F)}, {Sym(0x2F)}, {'T', 'E', 'S', 'T'},
};

int Units(const I3270Session* s, const u16* text, int n, IndicatorUnit* out)
{
    for (int i = 0; i < n; ++i) {
        const u16 u = text[i];
        if (u > 0xFF)
            out[i] = {static_cast<u8>(u), kOiaSymbol};
        else if (u == 0 || u == ' ')
            out[i] = {0, 0};
        else
            out[i] = {UnicodeToHostByte(s->u2s, u), 0};
    }
    return n;
}

bool HasStatusRow(const I3270Session* s)
{
    return s->model != k3287PrinterModel && s->current.rows >= 0 &&
           static_cast<std::size_t>(s->current.rows) < s->rows.size();
}

}  // namespace

void I3270UpdateStatusSpan(I3270Session* s, int first, int last)
{
    if (s->model == k3287PrinterModel)
        return;
    I3270UpdateDisplay(s);
    PaintHostRow(s, s->current.rows, first, last);
}

void I3270ShowOiaField(I3270Session* s, int first, int last, const IndicatorUnit* text, u8 colourCode)
{
    if (!HasStatusRow(s))
        return;
    if (last >= s->current.columns)
        last = s->current.columns - 1;
    HostDisplayRow& row = s->rows[static_cast<std::size_t>(s->current.rows)];
    bool changed = false;
    for (int c = first; c <= last; ++c) {
        const IndicatorUnit u = text ? text[c - first] : IndicatorUnit{};
        const HostCell pseudo{u.character, u.flags, 0, colourCode, 0};
        HostDisplayCell d{};
        d.field = row.cells[c].field & kDisplayMark;
        I3270BuildDisplayCell(s, d, s->defaultAttribute, pseudo);
        d.colour = static_cast<u8>((d.colour & 0x0F) | (s->statusBg & 0x0F) << 4);
        HostDisplayCell& cell = row.cells[c];
        if (std::memcmp(&cell, &d, sizeof d) != 0) {
            cell = d;
            changed = true;
        }
    }
    if (changed && !s->redrawAll)
        I3270UpdateStatusSpan(s, first, last);
}

void I3270ClearOia(I3270Session* s)
{
    if (!HasStatusRow(s))
        return;
    const u8 colour = (s->macroState & 0x40) ? kBlue : kWhite;
    HostDisplayRow& row = s->rows[static_cast<std::size_t>(s->current.rows)];
    row.header[0] = 0;
    HostDisplayCell blank{};
    I3270BuildDisplayCell(s, blank, s->defaultAttribute, HostCell{0, 0, 0, colour, 0});
    blank.colour = static_cast<u8>((blank.colour & 0x0F) | (s->statusBg & 0x0F) << 4);
    for (HostDisplayCell& d : row.cells)
        d = blank;
}

void I3270ShowSessionState(I3270Session* s)
{
    IndicatorUnit text[5];
    Units(s, kSessionStates[s->sessionState < 5 ? s->sessionState : 0], 5, text);
    I3270ShowOiaField(s, 2, 6, text, kBlue);
}

void I3270ShowInhibit(I3270Session* s)
{
    int entry = 0, number = 0;
    if (s->programCheck) {
        entry = 1;
        number = static_cast<int>(s->programCheck);
    } else if (s->lockFlag) {
        entry = 4;
    } else if (s->operatorError && s->operatorError < 17) {
        entry = static_cast<int>(s->operatorError);
    } else if (s->systemLock) {
        entry = 16;
    }
    if (!s->redrawAll && entry == s->inhibitShownEntry && number == s->inhibitShownNumber)
        return;
    s->inhibitShownEntry = entry;
    s->inhibitShownNumber = number;
    IndicatorUnit text[9];
    Units(s, kInhibitEntries[entry].text, 9, text);
    if (entry == 0)
        IndicatorDigits(text + 5, (I3270SessionSlot() + 1) % 10, 1);
    else if (entry == 1)
        IndicatorDigits(text + 6, number % 1000, 3);
    const u8 colour = (s->macroState & 0x40) ? kBlue : kInhibitEntries[entry].colour;
    I3270ShowOiaField(s, kInhibitFirst, kInhibitLast, text, colour);
}

void I3270ShowLuName(I3270Session* s, const wchar16* name)
{
    if (name) {
        int i = 0;
        for (; i < 8 && name[i]; ++i)
            s->luName[i] = name[i];
        s->luName[i] = 0;
    }
    IndicatorUnit text[8];
    bool ended = false;
    for (int i = 0; i < 8; ++i) {
        ended = ended || !s->luName[i];
        text[i] = {static_cast<u8>(ended ? 0x40 : UnicodeToHostByte(s->u2s, s->luName[i])), 0};
    }
    I3270ShowOiaField(s, 22, 29, text, (s->macroState & 0x40) ? kBlue : kWhite);
}

void I3270SetInsertMode(I3270Session* s, u32 on)
{
    s->insertMode = on ? 1 : 0;
    IndicatorUnit text[8] = {};
    if (on)
        text[0] = {0x23, kOiaSymbol};
    I3270ShowOiaField(s, 52, 59, text, on || (s->macroState & 0x40) ? kBlue : kWhite);
}

void I3270SetNumLockIndicator(I3270Session* s, u32 on)
{
    s->numLock = on ? 1 : 0;
    if (s->macroState & 0x40)
        return;
    static constexpr u16 kNum[3] = {'N', 'U', 'M'};
    IndicatorUnit text[3] = {};
    if (on)
        Units(s, kNum, 3, text);
    I3270ShowOiaField(s, 42, 44, text, kBlue);
}

void I3270SetLockReason(I3270Session* s, u32 on)
{
    s->lockFlag = on ? 1 : 0;
}

void I3270ResetInhibit(I3270Session* s)
{
    if (s->insertMode)
        I3270SetInsertMode(s, 0);
    s->lockFlag = 0;
    s->operatorError = 0;
    s->systemLock = 0;
    s->programCheck = 0;
    I3270ShowInhibit(s);
}

void I3270UnlockKeyboardNow(I3270Session* s)
{
    s->lockStart = 0;
    s->keyboardLocked = 0;
    I3270ResetInhibit(s);
}

void I3270UnlockKeyboard(I3270Session* s)
{
    if (s->lockLength) {
        s->lockStart = I3270TickCount() | 1;
        return;
    }
    I3270UnlockKeyboardNow(s);
}

bool I3270UnlockTimerDue(const I3270Session* s)
{
    return s->lockStart && (I3270TickCount() | 1) - s->lockStart >= s->lockLength;
}

void I3270SetOperatorError(I3270Session* s, u32 entry)
{
    s->keyboardLocked = 1;
    s->operatorError = entry;
    I3270ShowInhibit(s);
}

void I3270ShowCursorPosition(I3270Session* s)
{
    if (!s->cursorPosOn || s->cursor == s->lastShownCursor || s->current.columns <= 0)
        return;
    s->lastShownCursor = s->cursor;
    const int columns = s->current.columns;
    const int row = s->cursor / columns + 1;
    int column = s->cursor % columns + 1;
    if (s->direction & 0x04)
        column = columns - column + 1;
    IndicatorUnit text[6];
    IndicatorCursorPosition(text, row, column, columns);
    I3270ShowOiaField(s, 74, 79, text, (s->macroState & 0x40) ? kBlue : kWhite);
}

void I3270ResetCursorPos(I3270Session* s)
{
    s->lastShownCursor = -1;
    const i32 cursor = s->cursor;
    const u32 on = s->cursorPosOn;
    s->cursor = 0;
    s->cursorPosOn = 1;
    I3270ShowCursorPosition(s);
    s->cursor = cursor;
    s->cursorPosOn = on;
    s->lastShownCursor = 0;
}

void I3270RedrawIndicators(I3270Session* s)
{
    I3270ShowSessionState(s);
    I3270ShowInhibit(s);
}

void RedrawOia(I3270Session* s)
{
    if (!HasStatusRow(s))
        return;
    s->redrawAll = 1;
    I3270ClearOia(s);
    I3270ShowSessionState(s);
    I3270ShowInhibit(s);
    I3270ShowLuName(s, nullptr);
    I3270SetNumLockIndicator(s, s->numLock);
    I3270SetInsertMode(s, s->insertMode);
    I3270ResetCursorPos(s);
    IndicatorUnit direction[2];
    const u16 arrow[2] = {static_cast<u16>((s->direction & 0x03) ? '<' : '='),
                          static_cast<u16>((s->direction & 0x03) ? '=' : '>')};
    Units(s, arrow, 2, direction);
    I3270ShowOiaField(s, 19, 20, direction, kBlue);
    const IndicatorUnit screen{static_cast<u8>((s->direction & 0x04) ? 0x38 : 0x28), kOiaSymbol};
    I3270ShowOiaField(s, 73, 73, &screen, kBlue);
    s->redrawAll = 0;
}

void I3270RedrawOiaNow(I3270Session* s)
{
    RedrawOia(s);
    if (HasStatusRow(s))
        PaintHostRow(s, s->current.rows, 0, s->current.columns - 1);
}
