#include "terminal/emulations/ibmhost/3270/fieldedit3270.h"

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/serial/linebreak.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/ibmhost/3270/address3270.h"
#include "terminal/emulations/ibmhost/3270/cells3270.h"
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"
#include "terminal/emulations/ibmhost/3270/inbound3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/emulations/ibmhost/3270/tn3270e.h"
#include "terminal/input/macros/keyevents.h"

namespace {
// clang-format off
HostCell& At(I3270Session* s, i32 a) { return s->cells[static_cast<std::size_t>(a)]; }
i32 Size(const I3270Session* s) { return s->current.bufferSize; }
bool DataStream(const I3270Session* s) { return s->recordMode != 0; }
// clang-format on

void MoveCursor(I3270Session* s, i32 address)
{
    if (Size(s) <= 0)
        return;
    s->cursor = ((address % Size(s)) + Size(s)) % Size(s);
}

// The first position of the first unprotected field after `from` (wrapping), -1 when
// the screen has none.
i32 NextUnprotected(const I3270Session* s, i32 from)
{
    i32 a = StepForward(*s, from);
    for (i32 n = 0; n < Size(s); ++n, a = StepForward(*s, a)) {
        const HostCell& c = s->cells[static_cast<std::size_t>(a)];
        if (!IsAttribute(c) || (c.flags & kCellProtected))
            continue;
        const i32 next = StepForward(*s, a);
        if (!IsAttribute(s->cells[static_cast<std::size_t>(next)]))
            return next;
    }
    return -1;
}

// The field the cursor may edit: its attribute address, or -2 when the cursor is on an
// attribute or in a protected field (operator error shown), -1 on an unformatted screen.
i32 EditableField(I3270Session* s)
{
    const i32 g = GoverningAttribute(*s, s->cursor);
    if (IsAttribute(At(s, s->cursor)) || (g >= 0 && (At(s, g).flags & kCellProtected))) {
        I3270SetOperatorError(s, kOperatorProtected);
        return -2;
    }
    return g;
}

// The last position of the cursor's field: the cell before the next attribute, the end
// of the buffer on an unformatted screen, the end of the row in character mode.
i32 FieldEnd(const I3270Session* s, i32 g)
{
    if (!DataStream(s)) {
        // The end of the row; a printer's buffer can end inside its last row.
        const i32 columns = s->current.columns;
        const i32 rowEnd = (s->cursor / columns + 1) * columns - 1;
        return rowEnd < Size(s) ? rowEnd : Size(s) - 1;
    }
    if (g < 0)
        return Size(s) - 1;
    const i32 next = NextAttribute(*s, StepForward(*s, s->cursor));
    return StepBackward(*s, next);
}

void SetModified(I3270Session* s, i32 g)
{
    if (g < 0)
        return;
    HostCell& f = At(s, g);
    f.flags |= kCellModified | kCellRepaint;
    s->changed = 1;
}

// The Mono case switch of the 3278 keyboard: letters key in as capitals (Latin-1's
// small letters lie 0x20 above their capitals, but for the division sign and y
// diaeresis, whose capital is not in the host pages).
wchar16 MonoCase(wchar16 ch)
{
    if ((ch >= 'a' && ch <= 'z') || (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7))
        return static_cast<wchar16>(ch - 0x20);
    return ch;
}

void SendCharacterMode(wchar16 ch)
{
    HostSendChar(ch);
}
}  // namespace

bool I3270InputInhibited(const I3270Session* s)
{
    return s->keyboardLocked || s->lockFlag || s->systemLock || s->lockStart;
}

void I3270SendAid(I3270Session* s, u8 aid)
{
    if (DataStream(s) && !LocalMode) {
        s->keyboardLocked = 1;
        s->lockFlag = 1;
        I3270ShowInhibit(s);
        if (s->insertMode)
            I3270SetInsertMode(s, 0);
        s->aid = aid;
        I3270BuildReadReply(s, 0x06);
        I3270FlushOutput(s);
        return;
    }
    if ((aid == 0x6D || aid == 0x7D) && s->connectionMode <= 2)
        return;
    I3270SetOperatorError(s, kOperatorNotAvailable);
}

void I3270KeyAid(I3270Session* s, u8 aid)
{
    if (!I3270InputInhibited(s))
        I3270SendAid(s, aid);
}

void I3270KeyEnter(I3270Session* s)
{
    if (DataStream(s) && !LocalMode)
        I3270SendAid(s, 0x7D);
    else
        I3270TypedCharacter(s, 13);
}

void I3270ClearKey(I3270Session* s)
{
    if (I3270InputInhibited(s))
        return;
    I3270EraseScreen(s, DataStream(s) ? false : s->alternateInUse != 0);
    I3270SendAid(s, 0x6D);
}

void I3270KeySysReq(I3270Session* s)
{
    if (I3270InputInhibited(s))
        return;
    if (!TelnetTn3270eEnabled()) {
        I3270SendAid(s, 0xF0);
        return;
    }
    if (!TelnetTn3270eComplete() || !Telnet.functions[4] || s->connectionMode < 1 || s->connectionMode > 3)
        return;
    // Under TN3270E SYSREQ the server is asked with Abort Output to move the session
    // between the SSCP-LU and LU-LU phases.
    s->sscpLuBySysReq = s->connectionMode != 2;
    TelnetSendAbortOutput(SocketIndex);
}

void I3270KeyAttention(I3270Session* s)
{
    if (s->connectionMode != 3) {
        I3270SetOperatorError(s, kOperatorNotAvailable);
        return;
    }
    s->keyboardLocked = 1;
    s->lockFlag = 1;
    I3270ShowInhibit(s);
    if (TelnetTn3270eEnabled())
        TelnetSendInterruptProcess(SocketIndex);
    else
        SendBreak();
}

void I3270KeyReset(I3270Session* s)
{
    I3270UnlockKeyboardNow(s);
    ClearDeferredKeys();
}

void I3270Tab(I3270Session* s)
{
    if (!DataStream(s)) {
        // Local character mode: blanks to the next multiple of 8, within the row.
        const i32 columns = s->current.columns;
        for (int n = 0; n < 8; ++n) {
            I3270NvtHostCharacter(s, ' ');
            if (s->cursor % 8 == 0 || s->cursor % columns == 0)
                break;
        }
        return;
    }
    // On an attribute the search starts with it: Tab then enters the field that attribute
    // begins, as a real display station (and the PT order) does.
    const i32 from = IsAttribute(At(s, s->cursor)) ? StepBackward(*s, s->cursor) : s->cursor;
    const i32 a = NextUnprotected(s, from);
    MoveCursor(s, a < 0 ? 0 : a);
}

void I3270BackTab(I3270Session* s)
{
    if (!DataStream(s))
        return;
    i32 a = StepBackward(*s, s->cursor);
    if (IsAttribute(At(s, a)))
        a = StepBackward(*s, a);
    for (i32 n = 0; n < Size(s); ++n, a = StepBackward(*s, a)) {
        const HostCell& c = At(s, a);
        const i32 next = StepForward(*s, a);
        if (IsAttribute(c) && !(c.flags & kCellProtected) && !IsAttribute(At(s, next))) {
            MoveCursor(s, next);
            return;
        }
    }
    MoveCursor(s, 0);
}

void I3270FieldTab(I3270Session* s)
{
    if (!DataStream(s)) {
        const i32 columns = s->current.columns;
        MoveCursor(s, (s->cursor / columns + 1) * columns);
        return;
    }
    i32 a = StepForward(*s, s->cursor);
    for (i32 n = 0; n < Size(s); ++n, a = StepForward(*s, a)) {
        const HostCell& c = At(s, a);
        const u8 display = c.flags & kCellDisplayBits;
        if (!IsAttribute(c) || (display != 0x04 && display != 0x08))
            continue;
        const i32 next = StepForward(*s, a);
        const u8 d = At(s, next).character;
        if (!IsAttribute(At(s, next)) && (d == 0x6E || d == 0x6F || d == 0 || d == 0x40 || d == 0x50)) {
            MoveCursor(s, next);
            return;
        }
    }
}

void I3270Home(I3270Session* s)
{
    if (I3270InputInhibited(s))
        return;
    if (!DataStream(s)) {
        MoveCursor(s, 0);
        return;
    }
    const i32 a = NextUnprotected(s, StepBackward(*s, FirstAddress(*s)));
    MoveCursor(s, a < 0 ? 0 : a);
}

void I3270LineFeed(I3270Session* s)
{
    const i32 columns = s->current.columns;
    if (!DataStream(s) && s->cursor + columns >= Size(s)) {
        I3270ScrollCellsUp(s);
        return;
    }
    MoveCursor(s, s->cursor + columns);
}

void I3270NewLine(I3270Session* s)
{
    const i32 columns = s->current.columns;
    const i32 rowStart = s->cursor - s->cursor % columns;
    if (!DataStream(s)) {
        MoveCursor(s, (s->direction & 0x03) ? rowStart + columns - 1 : rowStart);
        if (s->lineEntry)
            I3270LineFeed(s);
        return;
    }
    MoveCursor(s, rowStart + columns);
    const i32 g = GoverningAttribute(*s, s->cursor);
    if (IsAttribute(At(s, s->cursor)) || (g >= 0 && (At(s, g).flags & kCellProtected))) {
        const i32 a = NextUnprotected(s, s->cursor);
        MoveCursor(s, a < 0 ? 0 : a);
    }
}

// clang-format off
void I3270CursorUp(I3270Session* s) { MoveCursor(s, s->cursor - s->current.columns); }
void I3270CursorDown(I3270Session* s) { MoveCursor(s, s->cursor + s->current.columns); }
void I3270CursorLeft(I3270Session* s) { MoveCursor(s, InputBackward(*s, s->cursor)); }
void I3270CursorRight(I3270Session* s) { MoveCursor(s, InputForward(*s, s->cursor)); }
// clang-format on

namespace {
bool IsWordCell(I3270Session* s, i32 a)
{
    const HostCell& c = At(s, a);
    if (IsAttribute(c) || c.character == 0 || c.character == 0x40)
        return false;
    return !(GoverningCell(*s, a).flags & kCellProtected);
}
}  // namespace

void I3270NextWord(I3270Session* s)
{
    if (s->direction & 0x03)
        return;
    i32 a = s->cursor;
    bool left = !IsWordCell(s, a);
    for (i32 n = 0; n < Size(s); ++n) {
        a = StepForward(*s, a);
        if (!IsWordCell(s, a))
            left = true;
        else if (left) {
            MoveCursor(s, a);
            return;
        }
    }
}

void I3270PreviousWord(I3270Session* s)
{
    if (s->direction & 0x03)
        return;
    i32 a = StepBackward(*s, s->cursor);
    for (i32 n = 0; n < Size(s) && !IsWordCell(s, a); ++n)
        a = StepBackward(*s, a);
    if (!IsWordCell(s, a))
        return;
    for (i32 n = 0; n < Size(s) && IsWordCell(s, StepBackward(*s, a)); ++n)
        a = StepBackward(*s, a);
    MoveCursor(s, a);
}

void I3270EndOfField(I3270Session* s)
{
    const i32 g = EditableField(s);
    if (g == -2)
        return;
    const i32 start = g < 0 ? 0 : StepForward(*s, g);
    const i32 end = FieldEnd(s, g);
    i32 last = -1;
    for (i32 a = start, n = 0; n < Size(s); a = StepForward(*s, a), ++n) {
        const u8 c = At(s, a).character;
        if (c != 0 && c != 0x40)
            last = a;
        if (a == end)
            break;
    }
    MoveCursor(s, last < 0 ? start : (last == end ? end : StepForward(*s, last)));
}

void I3270EraseEof(I3270Session* s)
{
    const i32 g = EditableField(s);
    if (g == -2)
        return;
    const i32 end = FieldEnd(s, g);
    for (i32 a = s->cursor, n = 0; n < Size(s); a = StepForward(*s, a), ++n) {
        I3270ClearCell(s, a);
        if (a == end)
            break;
    }
    SetModified(s, g);
    I3270UpdateDisplay(s);
}

void I3270EraseInput(I3270Session* s)
{
    I3270EraseUnprotected(s);
}

void I3270DeleteCharacter(I3270Session* s)
{
    const i32 g = EditableField(s);
    if (g == -2)
        return;
    const i32 end = FieldEnd(s, g);
    i32 a = s->cursor;
    for (i32 n = 0; a != end && n < Size(s); ++n) {
        const i32 next = StepForward(*s, a);
        At(s, a) = At(s, next);
        I3270MarkCell(s, a);
        a = next;
    }
    I3270ClearCell(s, end);
    SetModified(s, g);
    I3270UpdateDisplay(s);
}

void I3270DeleteWord(I3270Session* s)
{
    const i32 g = EditableField(s);
    if (g == -2)
        return;
    const i32 end = FieldEnd(s, g);
    int count = 0;
    for (i32 a = s->cursor, n = 0; n < Size(s); a = StepForward(*s, a), ++n) {
        const u8 c = At(s, a).character;
        if (c == 0 || c == 0x40)
            break;
        ++count;
        if (a == end)
            break;
    }
    if (count == 0)
        count = 1;
    for (int i = 0; i < count; ++i)
        I3270DeleteCharacter(s);
}

void I3270Backspace(I3270Session* s)
{
    if (!DataStream(s)) {
        I3270CursorLeft(s);
        return;
    }
    const i32 a = InputBackward(*s, s->cursor);
    if (IsAttribute(At(s, a))) {
        MoveCursor(s, InputBackward(*s, a));
        return;
    }
    MoveCursor(s, a);
    I3270DeleteCharacter(s);
}

void I3270InsertOn(I3270Session* s)
{
    I3270SetInsertMode(s, 1);
}

void I3270Dup(I3270Session* s)
{
    if (I3270EnterCharacter(s, 0x1C, 0, 0)) {
        I3270Tab(s);
    }
    I3270UpdateDisplay(s);
}

void I3270FieldMark(I3270Session* s)
{
    I3270EnterCharacter(s, 0x1E, 0, 0);
    I3270UpdateDisplay(s);
}

void I3270CursorSelect(I3270Session* s)
{
    if (!DataStream(s) || I3270InputInhibited(s))
        return;
    const i32 g = GoverningAttribute(*s, s->cursor);
    if (g < 0) {
        I3270SetOperatorError(s, kOperatorProtected);
        return;
    }
    HostCell& field = At(s, g);
    const u8 display = field.flags & kCellDisplayBits;
    const i32 designator = StepForward(*s, g);
    HostCell& d = At(s, designator);
    if ((display != 0x04 && display != 0x08) || IsAttribute(d) || d.character >= 0x70) {
        I3270SetOperatorError(s, kOperatorProtected);
        return;
    }
    // clang-format off
    switch (d.character) {
    case 0x00: case 0x40:
        SetModified(s, g);
        I3270SendAid(s, 0x7E);
        return;
    case 0x50:
        SetModified(s, g);
        I3270SendAid(s, 0x7D);
        return;
    case 0x6E:
        d.character = 0x6F;
        field.flags = static_cast<u8>((field.flags & ~kCellModified) | kCellRepaint);
        break;
    case 0x6F:
        d.character = 0x6E;
        field.flags |= kCellModified | kCellRepaint;
        break;
    default:
        I3270SetOperatorError(s, kOperatorProtected);
        return;
    }
    // clang-format on
    I3270MarkCell(s, designator);
    I3270UpdateDisplay(s);
}

void I3270MagStripeAttribute(I3270Session* s)
{
    if (IsAttribute(At(s, s->cursor)))
        return;
    const i32 g = GoverningAttribute(*s, s->cursor);
    if (g >= 0 && (At(s, g).flags & kCellProtected)) {
        I3270SetOperatorError(s, kOperatorProtected);
        return;
    }
    SetModified(s, g);
    s->selection = 1;
    I3270WriteAttributeCell(s, s->cursor, HostCell{0, 0x6C, 0, 0, 0});
    MoveCursor(s, InputForward(*s, s->cursor));
    I3270UpdateDisplay(s);
}

void I3270TypedCharacter(I3270Session* s, wchar16 ch)
{
    if (s->model == k3287PrinterModel)
        return;
    if (!DataStream(s) && !LocalMode) {
        // Character mode: the host echoes what it wants shown.
        SendCharacterMode(ch);
        if (LocalEcho)
            I3270NvtHostCharacter(s, static_cast<u8>(ch < 256 ? ch : '?'));
        return;
    }
    switch (ch) {
    case 8: I3270Backspace(s); break;
    case 9: I3270Tab(s); break;
    case 10: I3270LineFeed(s); break;
    case 13: I3270NewLine(s); break;
    case 127: I3270DeleteCharacter(s); break;
    default:
        if (ch < 32)
            return;
        {
            const u8 b = UnicodeToHostByte(s->u2s, s->monocase ? MonoCase(ch) : ch);
            if (b == 0x3F) {
                RequestBell();
                return;
            }
            I3270EnterCharacter(s, b, 0, 0);
        }
        break;
    }
    I3270UpdateDisplay(s);
}

void I3270NvtHostCharacter(I3270Session* s, u8 byte)
{
    // A printer shows what the host says in character mode as its status.
    if (s->model == k3287PrinterModel) {
        I3270PrinterHostText(s, byte);
        return;
    }
    const i32 columns = s->current.columns;
    switch (byte) {
    case 7: RequestBell(); return;
    case 8:
        if (s->cursor % columns)
            --s->cursor;
        return;
    case 9:
        do
            I3270NvtHostCharacter(s, ' ');
        while (s->cursor % 8 && s->cursor % columns);
        return;
    case 10:
        I3270LineFeed(s);
        I3270UpdateDisplay(s);
        return;
    case 13: s->cursor -= s->cursor % columns; return;
    default:
        if (byte < 32)
            return;
        break;
    }
    const u8 b = UnicodeToHostByte(s->u2s, byte);
    I3270WriteCell(s, s->cursor, HostCell{}, b, false);
    if (s->cursor + 1 >= Size(s)) {
        I3270ScrollCellsUp(s);
        s->cursor = Size(s) - columns;
    } else {
        ++s->cursor;
    }
    I3270UpdateDisplay(s);
}
