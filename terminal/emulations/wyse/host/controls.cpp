// Control characters, one table per personality group, and the HZ1500's "~" lead-in.
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/wysekeys.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

using Action = void (*)();

void Bell()
{
    RequestBell();
}

void DownRow()
{
    WyseCursorDownRow();
}

// DLE: the next byte goes to the printer alone.
void PrintOneByte()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    StartPrinterController();
    PrintChar(static_cast<u16>(b));
    StopPrinting();
}

void TextCursorOff()
{
    CursorDisabled = 1;
}

void TextCursorOn()
{
    CursorDisabled = 0;
}

// ADDS VT: row from the next byte, column 0.
void AddsRowAddress()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    WyStore.cursorColumn = 0;
    WyseCursorToRow(b & 0x1F);
}

// ADDS DLE: the column as two decimal digits packed in one byte.
void AddsColumnAddress()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    WyseSetColumn((b & 0x0F) + ((b >> 4) & 7) * 10);
}

void Hz1500Backspace()
{
    WyseStoreState& s = WyStore;
    if (s.cursorColumn > 0) {
        WyseSetColumn(s.cursorColumn - 1);
    } else if (s.cursorLine != WyseFirstAddressableLine() && !WyseCursorUpRow()) {
        WyseSetColumn(s.lineLast);
    }
}

void Hz1500CursorRight()
{
    WyseStoreState& s = WyStore;
    if (s.cursorColumn < s.lineLast) {
        WyseSetColumn(s.cursorColumn + 1);
        return;
    }
    int last = s.regionLast;
    while (last > s.regionFirst && WyseLineLocked(WyLine(last)))
        --last;
    if (s.cursorLine != last && !WyseCursorDownRow())
        WyseSetColumn(0);
}

void Hz1500InsertBlank()
{
    WyseEscInsertCharacter();
}

// clang-format off
constexpr Action kNative[32] = {
    nullptr, nullptr, nullptr, nullptr, nullptr, WyseSendAnswerback, nullptr, Bell,
    WyseCursorLeft, WyseEscTab, WyseLineFeed, WyseCursorUp, WyseCursorRight, WyseCarriageReturn,
    WyseEscUnlockKeyboard, WyseEscLockKeyboard,
    PrintOneByte, nullptr, WysePrintWithDisplay, nullptr, nullptr, nullptr, DownRow, nullptr,
    WyseControllerOn, nullptr, WyseEscClearPageSpaces, WyseEscapeDispatch, nullptr, nullptr, WyseCursorHome,
    WyseNewLine,
};
constexpr Action kTvi[32] = {
    nullptr, nullptr, nullptr, nullptr, nullptr, WyseSendAnswerback, nullptr, Bell,
    WyseCursorLeft, WyseEscTab, WyseLineFeed, WyseCursorUp, WyseCursorRight, WyseCarriageReturn, nullptr, nullptr,
    nullptr, nullptr, WysePrintWithDisplay, nullptr, nullptr, nullptr, DownRow, nullptr,
    WyseControllerOn, nullptr, WyseEscClearPageSpaces, WyseEscapeDispatch, nullptr, nullptr, WyseCursorHome,
    WyseNewLine,
};
// The ADDS A2 and HZ1500 tables; a null entry goes to the native table when enhanced.
constexpr Action kAdds[32] = {
    nullptr, WyseCursorHome, WyseEscUnlockKeyboard, nullptr, WyseEscLockKeyboard, nullptr, WyseCursorRight, Bell,
    WyseCursorLeft, WyseEscTab, WyseLineFeed, AddsRowAddress, WyseEscClearScreenSpaces, WyseCarriageReturn,
    WyseEscWriteProtectOn, WyseEscWriteProtectOff,
    AddsColumnAddress, nullptr, WysePrintWithDisplay, nullptr, WyseIgnore, WyseCursorLeft, nullptr, TextCursorOff,
    TextCursorOn, nullptr, WyseCursorUp, WyseEscapeDispatch, nullptr, nullptr, nullptr, nullptr,
};
constexpr Action kHz1500[32] = {
    nullptr, nullptr, Hz1500InsertBlank, nullptr, nullptr, nullptr, nullptr, Bell,
    Hz1500Backspace, WyseEscTab, WyseLineFeed, nullptr, nullptr, WyseCarriageReturn, nullptr, nullptr,
    Hz1500CursorRight, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};
// clang-format on

// HZ1500 "~" ENQ: the column and the row inside the scroll region, as characters.
void Hz1500ReportCursor()
{
    const WyseStoreState& s = WyStore;
    const int column = s.cursorColumn < 32 ? s.cursorColumn + 96 : s.cursorColumn;
    const u16 report[3] = {static_cast<u16>(column), static_cast<u16>(s.cursorLine - s.regionFirst + 96), 0x0D};
    WyseSendBytes(report, 3);
}

// HZ1500 "~" SI: unprotected cells to the end of the line become blanks.
void Hz1500ClearToEndOfLine()
{
    WyseStoreState& s = WyStore;
    ScreenLineRecord* line = WyLine(s.cursorLine);
    if (!line)
        return;
    for (int c = s.cursorColumn; c <= s.lineLast; ++c) {
        ScreenCell& cell = line->cells[c];
        if (WyseIsProtectedCell(cell))
            break;
        cell = ScreenCell{' ', 0, static_cast<u8>(cell.rendition & kWyKeep), 0};
    }
    WyseRepaintPageLineRun(s.cursorLine, s.cursorColumn);
}

// HZ1500 "~" DC1: column byte, then row byte. Columns below 32 come as 0x60 + column
// (0x60 itself is column 0) and the others as themselves; the Hazeltine reads seven bits,
// so a host that sets the eighth (as the usual terminal description does from column 31)
// still addresses the column it means.
void Hz1500AddressCursor()
{
    int column = WyseReadHostByte();
    if (column < 0)
        return;
    int row = WyseReadHostByte();
    if (row < 0)
        return;
    column &= 0x7F;
    if (column >= 0x60)
        column -= 0x60;
    if (column > 79)
        column = 79;
    row &= 0x1F;
    if (row > 23)
        row = 23;
    WyStore.cursorColumn = column;
    WyseCursorToRow(row);
}

// HZ1500 "~" FF: one line up, not past the region's first line.
void Hz1500CursorUp()
{
    WyseCursorUpRow();
}

void Hz1500ClearToEndOfScreen()
{
    WyseClearToEndOfRegion(' ', 0);
}

// "~" GS: the page cleared but for its protected cells.
void Hz1500ClearUnprotected()
{
    WyMode.protectMode = 1;
    WyseEscClearPageSpaces();
    WyMode.protectMode = 0;
}

// clang-format off
constexpr Action kTilde[32] = {
    nullptr, nullptr, nullptr, nullptr, nullptr, Hz1500ReportCursor, WyseEscUnlockKeyboard, nullptr,
    nullptr, nullptr, nullptr, DownRow, Hz1500CursorUp, nullptr, nullptr, Hz1500ClearToEndOfLine,
    nullptr, Hz1500AddressCursor, WyseCursorHome, WyseEscDeleteLine, nullptr, WyseEscLockKeyboard, nullptr,
    Hz1500ClearToEndOfScreen,
    WyseEscClearPageEndSpaces, WyseEscWriteProtectOn, WyseEscInsertLine, nullptr, WyseEscClearScreenSpaces,
    Hz1500ClearUnprotected, nullptr, WyseEscWriteProtectOff,
};
// clang-format on

}  // namespace

void WyseIgnore() {}

void WyseControlDispatch(int b)
{
    if (b < 0 || b >= 0x20)
        return;
    const u8 id = WyId();
    if (id == kEmuAddsA2 || id == kEmuHz1500) {
        const Action own = (id == kEmuAddsA2 ? kAdds : kHz1500)[b];
        if (own)
            own();
        // The HZ1500 has no ESC of its own: only the enhanced one takes sequences.
        if ((!own || (id == kEmuHz1500 && b == 0x02)) && WySet.enhance)
            if (const Action native = kNative[b])
                native();
        return;
    }
    const Action action = (WyIsTvi() ? kTvi : kNative)[b];
    if (action)
        action();
}

void WyseHz1500LeadIn()
{
    const int b = WyseReadHostByte();
    if (b < 0)
        return;
    if (b < 0x20) {
        if (const Action action = kTilde[b])
            action();
        return;
    }
    // "~" and a printable character is ESC and that character, when enhanced.
    if (WySet.enhance) {
        PushBackInputByte(static_cast<u8>(b));
        WyseEscapeDispatch();
    }
}
