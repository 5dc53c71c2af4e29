#include "terminal/emulations/ibmhost/5250/screen/status5250.h"

#include <chrono>
#include <cstring>

#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/emulations/ibmhost/5250/settings5250.h"

u32 (*I5250TickCount)() = [] {
    using namespace std::chrono;
    return static_cast<u32>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
};

namespace {
// Palette colours of the indicators.
constexpr u8 kRed = 1, kTurquoise = 3, kWhite = 7;
// Cache slots of the fields that are written only when they change.
enum Slot { kSlotMacroMode, kSlotMessage, kSlotInsert, kSlotInhibit };

bool HasStatusRow(const I5250Session* s)
{
    return !s->printerSession && !s->rows.empty() && static_cast<std::size_t>(StatusRowIndex(s)) < s->rows.size();
}

u8 NormBackground()
{
    return I5250Config.colours[0][1] & 0x0F;
}

// A single-unit field: written only when its shown value changes.
void ShowFlag(I5250Session* s, Slot slot, int column, u8 value, const IndicatorUnit& unit, u8 colour)
{
    if (!s->redrawAll && s->shownIndicators[slot] == value)
        return;
    s->shownIndicators[slot] = value;
    const IndicatorUnit shown = value ? unit : IndicatorUnit{0, 0};
    I5250ShowIndicator(s, column, column, &shown, colour);
}

void ShowMacroMode(I5250Session* s)
{
    IndicatorUnit text[5] = {};
    u8 value = 0;
    if (s->blockMode) {
        text[2] = {0x2F, kStatusSymbol};
        value = 1;
    }
    if (!s->redrawAll && s->shownIndicators[kSlotMacroMode] == value)
        return;
    s->shownIndicators[kSlotMacroMode] = value;
    I5250ShowIndicator(s, 15, 19, text, kTurquoise);
}

void ShowMessageWaiting(I5250Session* s)
{
    ShowFlag(s, kSlotMessage, 27, s->messageWaiting ? 1 : 0, {0xD4, 0}, kTurquoise);  // "M"
}

void ShowInsert(I5250Session* s)
{
    ShowFlag(s, kSlotInsert, 47, s->insertMode ? 1 : 0, {0x23, kStatusSymbol}, kTurquoise);
}

void ShowInhibit(I5250Session* s)
{
    ShowFlag(s, kSlotInhibit, 56, s->inhibited ? 1 : 0, {0x36, kStatusSymbol}, s->inhibited ? kRed : kTurquoise);
}

void WriteCursorPosition(I5250Session* s, i32 address)
{
    const int columns = s->current.columns;
    IndicatorUnit text[6];
    IndicatorCursorPosition(text, (address - 1) / columns + 1, (address - 1) % columns + 1, columns);
    I5250ShowIndicator(s, 74, 79, text, kWhite);
}
}  // namespace

void I5250UpdateStatusSpan(I5250Session* s, int first, int last)
{
    I5250UpdateDisplay(s, false);
    I5250Paint(s, StatusRowIndex(s), first, last);
}

void I5250ShowIndicator(I5250Session* s, int first, int last, const IndicatorUnit* text, u8 colour)
{
    if (!HasStatusRow(s) || first < 0)
        return;
    if (last >= s->current.columns)
        last = s->current.columns - 1;
    HostDisplayRow& row = s->rows[static_cast<std::size_t>(StatusRowIndex(s))];
    for (int c = first; c <= last; ++c) {
        const IndicatorUnit u = text ? text[c - first] : IndicatorUnit{0, 0};
        row.cells[c] = {u.character, static_cast<u8>(NormBackground() << 4 | (colour & 0x0F)), u.flags,
                        static_cast<u8>(row.cells[c].field & kDisplayMark)};
    }
    if (!s->redrawAll)
        I5250UpdateStatusSpan(s, first, last);
}

void I5250ClearStatusRow(I5250Session* s)
{
    if (!HasStatusRow(s))
        return;
    HostDisplayRow& row = s->rows[static_cast<std::size_t>(StatusRowIndex(s))];
    row.header[0] = 0;
    for (HostDisplayCell& d : row.cells)
        d = {0, static_cast<u8>(NormBackground() << 4 | kTurquoise), 0, 0};
}

void I5250RedrawIndicators(I5250Session* s)
{
    ShowMacroMode(s);
    ShowMessageWaiting(s);
}

void I5250RedrawStatusRow(I5250Session* s)
{
    if (!HasStatusRow(s))
        return;
    s->redrawAll = 1;
    std::memset(s->shownIndicators, 0xFF, sizeof s->shownIndicators);
    I5250ClearStatusRow(s);
    ShowMacroMode(s);
    ShowMessageWaiting(s);
    ShowInhibit(s);
    ShowInsert(s);
    I5250ResetCursorPos(s);
    s->redrawAll = 0;
}

void I5250RedrawStatusRowNow(I5250Session* s)
{
    I5250RedrawStatusRow(s);
    if (HasStatusRow(s))
        I5250Paint(s, StatusRowIndex(s), 0, s->current.columns - 1);
}

void I5250SetInputState(I5250Session* s, u8 state)
{
    const u8 old = s->inputState;
    if (state != old && (old == 1 || old == 3)) {
        s->stateBeforeError = old;
        s->savedCursor = s->cursor;
        s->savedFieldExit = s->fieldExitPosition;
        s->savedFieldTouched = s->fieldTouched;
    }
    s->inputState = state;
    const u32 inhibit = state >= 5 && state <= 8 ? 1 : 0;
    if (inhibit != s->inhibited)
        I5250SetInhibit(s, inhibit);
}

void I5250SetInhibit(I5250Session* s, u32 on)
{
    if (!on && s->unlockDelay) {
        if (s->inhibited && !s->lockStart)
            s->lockStart = I5250TickCount() | 1;
        return;
    }
    I5250SetInhibitNow(s, on);
}

void I5250SetInhibitNow(I5250Session* s, u32 on)
{
    s->lockStart = 0;
    s->inhibited = on ? 1 : 0;
    ShowInhibit(s);
}

bool I5250UnlockTimerDue(const I5250Session* s)
{
    return s->lockStart && (I5250TickCount() | 1) - s->lockStart >= s->unlockDelay;
}

void I5250SetInsertMode(I5250Session* s, u32 on)
{
    s->insertMode = on ? 1 : 0;
    ShowInsert(s);
}

void I5250ClearInsertMode(I5250Session* s)
{
    if (!s->text.mode)
        I5250SetInsertMode(s, 0);
}

void I5250SetMessageWaiting(I5250Session* s, u32 on)
{
    s->messageWaiting = on ? 1 : 0;
    ShowMessageWaiting(s);
}

void I5250RefreshCursorPos(I5250Session* s)
{
    if (!HasStatusRow(s) || !s->cursorPosOn || s->cursor == s->lastShownCursor || s->current.columns <= 0)
        return;
    s->lastShownCursor = s->cursor;
    WriteCursorPosition(s, s->cursor);
}

void I5250ResetCursorPos(I5250Session* s)
{
    if (!HasStatusRow(s) || s->current.columns <= 0)
        return;
    s->lastShownCursor = -1;
    WriteCursorPosition(s, 1);
}
