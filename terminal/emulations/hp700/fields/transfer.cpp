#include "terminal/emulations/hp700/fields/transfer.h"

#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

constexpr u8 kCr = 0x0D, kLf = 0x0A, kSo = 0x0E, kSi = 0x0F;

// What the marks sent so far under "transmit functions" have opened.
struct MarkState {
    bool alternate = false, fieldOpen = false;
};

void QueueText(const char* text)
{
    for (; *text; ++text)
        Hp700QueueSendUnit(static_cast<u8>(*text));
}

// Three decimal digits with leading zeros.
void QueueNumber(int v)
{
    Hp700QueueSendUnit(static_cast<u8>('0' + (v / 100) % 10));
    Hp700QueueSendUnit(static_cast<u8>('0' + (v / 10) % 10));
    Hp700QueueSendUnit(static_cast<u8>('0' + v % 10));
}

void QueueLineEnd()
{
    Hp700QueueSendUnit(kCr);
    if (Hp700.settings.autolf)
        Hp700QueueSendUnit(kLf);
}

// The marks of a cell as escape sequences, in front of it, once per change.
void QueueMarks(const ScreenCell& c, MarkState& state)
{
    if (!Hp700.settings.txfunctns)
        return;
    if (c.flags & kHpMarkShift) {
        const bool alt = (c.rendition & kHpAltSet) != 0;
        if (alt != state.alternate) {
            if (alt) {
                QueueText("\x1b)B");
                Hp700QueueSendUnit(kSo);
            } else {
                Hp700QueueSendUnit(kSi);
            }
            state.alternate = alt;
        }
    }
    if (c.flags & kHpMarkField) {
        if (c.rendition & kHpUnprotected) {
            if (state.fieldOpen)
                QueueText("\x1b]");
            QueueText("\x1b[");
            state.fieldOpen = true;
        } else if (state.fieldOpen) {
            QueueText("\x1b]");
            state.fieldOpen = false;
        }
    }
    if (c.flags & kHpMarkEnhancement) {
        QueueText("\x1b&d");
        if (c.rendition & kHpSecurity)
            Hp700QueueSendUnit('s');
        Hp700QueueSendUnit(static_cast<u8>('@' + (c.rendition & kHpEnhMask)));
    }
}

void QueueCell(const ScreenCell& c, MarkState& state)
{
    QueueMarks(c, state);
    Hp700QueueSendUnit(Hp700SendCode(c.ch));
}

// A line from column `from` to its first never-written cell or its last column; false
// when a block terminator cell ended it (the cursor then stands past it).
bool QueueLine(int line, int from, MarkState& state)
{
    const ScreenCell* cells = Hp700Line(line)->cells;
    for (int c = from; c <= Hp700.lastColumn && cells[c].ch != 0; ++c) {
        if (cells[c].ch == Hp700.settings.blockterm) {
            Hp700.cursorRow = line;
            Hp700.cursorColumn = c < Hp700.lastColumn ? c + 1 : c;
            return false;
        }
        QueueCell(cells[c], state);
    }
    return true;
}

void CursorToColumn0()
{
    Hp700FlushRow();
    Hp700.cursorColumn = 0;
    if (Hp700.settings.autolf)
        Hp700LineFeedCommand();
}

void SendLine(int from)
{
    MarkState state;
    if (QueueLine(Hp700.cursorRow, from, state))
        CursorToColumn0();
    QueueLineEnd();
}

void SendPage()
{
    const int last = Hp700LastUsedLine();
    MarkState state;
    for (int k = Hp700.cursorRow; k <= last; ++k) {
        if (!QueueLine(k, k == Hp700.cursorRow ? Hp700.cursorColumn : 0, state))
            break;
        Hp700QueueSendUnit(kCr);
        Hp700QueueSendUnit(kLf);
        state = MarkState{};
    }
    Hp700.cursorColumn = 0;
    Hp700QueueSendUnit(Hp700.settings.blockterm);
}

void SendLineOfFields()
{
    if (Hp700CellProtected(*Hp700CursorCell()) && !Hp700FieldFollows(Hp700.cursorRow, Hp700.cursorColumn)) {
        Hp700HomeUp();
        Hp700HomeToFirstField();
        Hp700QueueSendUnit(Hp700.settings.blockterm);
        Hp700QueueSendUnit(kCr);
        return;
    }
    const ScreenCell* cells = Hp700CursorLine()->cells;
    MarkState state;
    for (int c = Hp700.cursorColumn; c <= Hp700.lastColumn; ++c) {
        const ScreenCell& cell = cells[c];
        if (!(cell.rendition & kHpUnprotected) || cell.ch == Hp700.settings.blockterm)
            break;
        if (c != Hp700.cursorColumn && (cell.flags & kHpMarkField))
            break;
        if (cell.ch != 0)
            QueueCell(cell, state);
    }
    QueueLineEnd();
}

// The field whose start is (line, column): its cells up to where it ends, across lines.
void QueueField(int line, int column, MarkState& state)
{
    for (int k = line; k < Hp700.memoryLines; ++k) {
        const ScreenCell* cells = Hp700Line(k)->cells;
        for (int c = k == line ? column : 0; c <= Hp700.lastColumn; ++c) {
            const ScreenCell& cell = cells[c];
            if (!(cell.rendition & kHpUnprotected) || ((k != line || c != column) && (cell.flags & kHpMarkField)))
                return;
            if (cell.ch != 0)
                QueueCell(cell, state);
        }
    }
}

void SendPageOfFields()
{
    if (Hp700.settings.inhdc2)
        Hp700HomeUp();
    const int last = Hp700LastUsedLine();
    int line = Hp700.cursorRow, column = Hp700.cursorColumn;
    if (!Hp700FieldStartsAt(line, column)) {
        // Inside a field, its rest goes first; on a protected cell the next field.
        if (!Hp700CellProtected(Hp700Line(line)->cells[column])) {
            MarkState state;
            QueueField(line, column, state);
            Hp700QueueSendUnit(Hp700.settings.fieldsep);
        }
    }
    MarkState state;
    for (int k = line; k <= last; ++k) {
        for (int c = k == line ? column : 0; c <= Hp700.lastColumn; ++c) {
            if (!Hp700FieldStartsAt(k, c))
                continue;
            QueueField(k, c, state);
            Hp700QueueSendUnit(Hp700.settings.fieldsep);
        }
    }
    Hp700QueueSendUnit(Hp700.settings.blockterm);
}

// Nothing to send: only the block terminator.
bool NothingToSend()
{
    if (Hp700LastUsedLine() < Hp700.cursorRow) {
        Hp700CursorLine()->entryColumn = kHpNoEntryColumn;
        return true;
    }
    return Hp700.formatMode && Hp700CellProtected(*Hp700CursorCell()) &&
           !Hp700FieldFollows(Hp700.cursorRow, Hp700.cursorColumn);
}

}  // namespace

void Hp700BlockTransfer()
{
    if (Hp700.menu == kHpMenuConfig) {
        Hp700SendUserKeyDefinitions();
        return;
    }
    Hp700.transferRunning = true;
    if (NothingToSend()) {
        Hp700QueueSendUnit(Hp700.settings.blockterm);
    } else {
        const bool page = Hp700.settings.blockmode && Hp700.settings.txpage;
        if (Hp700.formatMode)
            page ? SendPageOfFields() : SendLineOfFields();
        else
            page ? SendPage() : SendLine(Hp700.cursorColumn);
    }
    Hp700.transferRunning = false;
    Hp700RepaintRows(0, kHpScreenRows - 1);
}

void Hp700SendEnter(int bit)
{
    if (Hp700.menu == kHpMenuConfig) {
        Hp700SendUserKeyDefinitions();
        return;
    }
    if (Hp700.enterCursorReport) {
        QueueText("\x1b&a");
        QueueNumber(Hp700.cursorColumn);
        Hp700QueueSendUnit('c');
        QueueNumber(Hp700.cursorRow);
        Hp700QueueSendUnit('R');
    }
    if (bit == kHpReplyEnter) {
        Hp700BlockTransfer();
        return;
    }
    if (NothingToSend()) {
        Hp700QueueSendUnit(Hp700.settings.blockterm);
        return;
    }
    const u8 entry = Hp700CursorLine()->entryColumn;
    SendLine(entry != kHpNoEntryColumn ? entry : Hp700.settings.startclmn);
    if (bit == kHpReplyEnterModify)
        Hp700.lineModify = false;
}
