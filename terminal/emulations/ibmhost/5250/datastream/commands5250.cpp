#include "terminal/emulations/ibmhost/5250/datastream/commands5250.h"

#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/display.h"
#include "terminal/emulations/ibmhost/5250/screen/cells5250.h"
#include "terminal/emulations/ibmhost/5250/fields/format5250.h"
#include "terminal/emulations/ibmhost/5250/lifecycle5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/replies5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/savescreen5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/wsf5250.h"
#include "terminal/emulations/ibmhost/5250/datastream/wtd5250.h"

namespace {
constexpr u8 kEscape = 0x04;

void Use(const u8*& p, int& remaining, int n)
{
    p += n;
    remaining -= n;
}
}  // namespace

u32 I5250ExecuteCommands(I5250Session* s, const u8* data, int length, u8 opcode)
{
    (void)opcode;
    HideCursorForUpdate();
    const u8* p = data;
    int remaining = length;
    while (remaining > 0) {
        if (p[0] != kEscape)
            return kSenseNotEscape;
        if (remaining < 2)
            return kSensePremature;
        const u8 command = p[1];
        Use(p, remaining, 2);
        u32 e;
        switch (command) {
        case 0x02: e = I5250SaveScreen(s, false); break;
        case 0x03: e = I5250SaveScreen(s, true); break;
        case 0x11: e = I5250WriteToDisplay(s, p, remaining); break;
        case 0x12: e = I5250RestoreScreen(s, p, remaining); break;
        case 0x13:
            if (remaining < 1)
                return kSensePremature;
            Use(p, remaining, 1);
            e = I5250RestoreScreen(s, p, remaining);
            break;
        case 0x20: e = I5250ClearUnitCommand(s, p, remaining, true); break;
        case 0x21: e = I5250WriteErrorCode(s, p, remaining, false); break;
        case 0x22: e = I5250WriteErrorCode(s, p, remaining, true); break;
        case 0x23: e = I5250Roll(s, p, remaining); break;
        case 0x40: e = I5250ClearUnitCommand(s, p, remaining, false); break;
        case 0x42:
        case 0x52:
        case 0x82: e = I5250ReadCommand(s, p, remaining, command); break;
        case 0x50: e = I5250ClearFormatTable(s); break;
        case 0x62:
        case 0x64:
        case 0x66:
        case 0x68: e = I5250ReadScreen(s, p, remaining, command); break;
        case 0x72:
        case 0x83: e = I5250ReadImmediate(s, command); break;
        case 0xF3: e = I5250WriteStructuredField(s, p, remaining); break;
        default: return kSenseCommand;
        }
        if (e)
            return e;
    }
    return 0;
}

u32 I5250ClearUnitCommand(I5250Session* s, const u8*& p, int& remaining, bool alternate)
{
    if (s->inputState == 8)
        return kSenseState;
    if (alternate) {
        if (s->alternate.bufferSize == s->defaults.bufferSize)
            return kSenseCommand;
        if (remaining < 1)
            return kSensePremature;
        if (p[0] != 0x00 && p[0] != 0x40)
            return kSenseClearParameter;
        Use(p, remaining, 1);
    }
    s->text.mode = 0;
    I5250SetInputState(s, 5);
    // With cached clears the repaint waits for the end of the record.
    const bool defer = s->deferRepaint != 0;
    I5250ClearUnit(s, alternate, !defer);
    if (defer)
        s->deferRepaint = 2;
    return 0;
}

u32 I5250ClearFormatTable(I5250Session* s)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    I5250ClearFormatTableEntries(s);
    I5250RepaintScreen(s);
    return 0;
}

u32 I5250WriteErrorCode(I5250Session* s, const u8*& p, int& remaining, bool window)
{
    if (remaining < 1 || p[0] == kEscape)
        return kSenseParameter;
    I5250UpdateDisplay(s, false);
    if (const u32 e = I5250StateRule(s))
        return e;
    I5250SetInputState(s, 6);
    I5250SetInhibit(s, 1);
    s->invite = 0;
    const int columns = s->current.columns;
    const i32 line = s->errorLineStart;
    int first = 0, last = columns - 1;
    u32 remembered = 0;
    if (window) {
        const i32 row = AddressOf(s, s->errorRow, 0);
        for (int c = 0; c < columns; ++c)
            I5250CopyCell(s, row + c, line + c);
        if (remaining < 2)
            return kSensePremature;
        const int start = p[0], end = p[1];
        if (start >= columns || end - start < 0 || end - start > columns)
            remembered = kSenseRowColumn;
        else {
            first = start;
            last = end < columns ? end : columns - 1;
        }
        Use(p, remaining, 2);
    }
    s->errorLineInUse = 1;
    s->coveredRow = s->errorRow;
    int position = first;
    u32 error = 0;
    while (remaining > 0 && p[0] != kEscape) {
        if (p[0] == 0x13) {
            if (remaining < 3) {
                error = kSensePremature;
                break;
            }
            const int row = p[1], column = p[2];
            if (row < 1 || row > s->current.rows || column < 1 || column > columns) {
                error = kSenseRowColumn;
                break;
            }
            s->cursor = AddressOf(s, row - 1, column - 1);
            Use(p, remaining, 3);
            continue;
        }
        if (position >= columns) {
            error = kSensePastEnd;
            break;
        }
        if (position <= last)
            I5250WriteCell(s, p[0], line + position, false);
        ++position;
        Use(p, remaining, 1);
    }
    for (int c = position; c <= last; ++c)
        I5250WriteCell(s, 0x40, line + c, false);
    for (int c = 0; c < columns; ++c)
        I5250MarkCell(s, line + c);
    I5250UpdateDisplay(s, false);
    I5250RepaintRows(s, s->coveredRow, s->coveredRow);
    return error ? error : remembered;
}

u32 I5250Roll(I5250Session* s, const u8*& p, int& remaining)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    if (remaining < 3)
        return kSensePremature;
    const bool down = (p[0] & 0x80) != 0;
    const int count = p[0] & 0x1F, top = p[1], bottom = p[2];
    const int rows = s->current.rows, columns = s->current.columns;
    if (top < 1 || top >= rows || bottom > rows || bottom <= top || bottom - top < count)
        return kSenseRoll;
    Use(p, remaining, 3);
    if (count == 0)
        return 0;
    auto copyRow = [&](int from, int to) {
        for (int c = 0; c < columns; ++c) {
            const i32 a = AddressOf(s, to - 1, c);
            const HostCell& src = s->cells[static_cast<std::size_t>(AddressOf(s, from - 1, c))];
            I5250WriteCell(s, src.character, a, (src.flags & kCellIsData) != 0);
        }
    };
    if (down) {
        for (int r = bottom; r >= top + count; --r)
            copyRow(r - count, r);
        for (int r = top; r < top + count; ++r)
            for (int c = 0; c < columns; ++c)
                I5250MarkCell(s, AddressOf(s, r - 1, c));
    } else {
        for (int r = top; r <= bottom - count; ++r)
            copyRow(r + count, r);
        for (int r = bottom - count + 1; r <= bottom; ++r)
            for (int c = 0; c < columns; ++c)
                I5250MarkCell(s, AddressOf(s, r - 1, c));
    }
    I5250UpdateDisplay(s, false);
    return 0;
}

u32 I5250ReadCommand(I5250Session* s, const u8*& p, int& remaining, u8 command)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    if (remaining < 2)
        return kSensePremature;
    s->pendingRead = command;
    s->readControl[0] = p[0];
    s->readControl[1] = p[1];
    Use(p, remaining, 2);
    return 0;
}

u32 I5250ReadImmediate(I5250Session* s, u8 command)
{
    if (const u32 e = I5250StateRule(s))
        return e;
    I5250BuildReadReply(s, 0, command);
    return 0;
}

u32 I5250ReadScreen(I5250Session* s, const u8* p, int remaining, u8 command)
{
    if (remaining > 0 && p[0] != kEscape)
        return kSenseCommand;
    if (const u32 e = I5250StateRule(s))
        return e;
    const u8 opcode = command == 0x62 ? 8 : command == 0x64 ? 13 : command == 0x66 ? 14 : 15;
    const bool extended = command == 0x64 || command == 0x68;
    I5250BuildDisplayHeader(s, 0, opcode);
    const int columns = s->current.columns;
    int nulls = 0;
    for (i32 a = 1; a <= s->current.bufferSize; ++a) {
        const HostCell& c = s->cells[static_cast<std::size_t>(a)];
        if (!extended) {
            I5250Put(s, c.character);
            continue;
        }
        const bool attributes = (c.extended & 0x80) || (c.foreground & 0x80);
        // Nulls are counted and written only before what follows them on the row, so
        // each row keeps its cells in order and its trailing nulls go with its end.
        if (attributes || c.character) {
            for (; nulls > 0; --nulls)
                I5250Put(s, 0);
        }
        if (c.extended & 0x80) {
            I5250Put(s, 0x10);
            I5250Put(s, 0x01);
            I5250Put(s, c.extended);
        }
        if (c.foreground & 0x80) {
            I5250Put(s, 0x10);
            I5250Put(s, 0x03);
            I5250Put(s, c.foreground);
        }
        if (c.character)
            I5250Put(s, c.character);
        else
            ++nulls;
        if (ColumnOf(s, a) == columns - 1) {
            I5250Put(s, 0xFF);
            nulls = 0;
        }
    }
    I5250SendRecord(s);
    return 0;
}
