// The per-byte entry and the control codes of both personalities.
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgio.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

constexpr u8 kUs = 0x1F;

void Nothing() {}

void PenOn(u8 bit)
{
    Dg.pen.rendition = static_cast<u8>(Dg.pen.rendition | bit);
}

void PenOff(u8 bit)
{
    Dg.pen.rendition = static_cast<u8>(Dg.pen.rendition & ~bit);
}

// 0x05: the cursor's column and row within the window, each one byte as it is (a
// compressed window's columns past 127 included).
void ReadCursorAddress()
{
    const u8 reply[3] = {kUs, static_cast<u8>(Dg.column - Dg.window.left),
                         static_cast<u8>(Dg.row - Dg.window.top)};
    DgSendRaw(reply, 3);
}

// 0x10: column then row, 7 bits each, relative to the window; 127 keeps one.
void WriteCursorAddress()
{
    const int column = DgReadByte();
    if (column < 0)
        return;
    const int row = DgReadByte();
    if (row < 0)
        return;
    const int c = column & 0x7F, r = row & 0x7F;
    DgMoveCursor(r == 127 ? kDgKeep : r, c == 127 ? kDgKeep : c);
}

void EraseToEndOfRow()
{
    DgEraseRect(Dg.column, Dg.row, Dg.window.viewRight, Dg.row, kDgEraseToProtected);
}

void EraseWindowNative()
{
    DgEraseWindow();
    DgWindowHome();
    PenOff(kDgBlink | kDgUnderline | kDgDim | kDgReverse);
}

// clang-format off
using Control = void (*)();
constexpr Control kNative[32] = {
    Nothing,                                 // 00
    [] { DgPrintCommand(0x48); },            // 01 print the window, scope 0x48
    [] { PenOff(kDgReverse); },              // 02
    [] { Dg.blinkDisabled = 0; DgDamageAll(); },  // 03 blink enable
    [] { Dg.blinkDisabled = 1; DgDamageAll(); },  // 04 blink disable
    ReadCursorAddress,                       // 05
    Nothing,                                 // 06
    RequestBell,                             // 07
    DgWindowHome,                            // 08
    Nothing,                                 // 09
    DgNewLine,                               // 0A
    EraseToEndOfRow,                         // 0B
    EraseWindowNative,                       // 0C
    DgCarriageReturn,                        // 0D
    [] { PenOn(kDgBlink); },                 // 0E
    [] { PenOff(kDgBlink); },                // 0F
    WriteCursorAddress,                      // 10
    [] { DgPrintCommand(0); },               // 11 print the window, scope 0
    [] { Dg.rollDisabled = 0; },             // 12
    [] { Dg.rollDisabled = 1; },             // 13
    [] { PenOn(kDgUnderline); },             // 14
    [] { PenOff(kDgUnderline); },            // 15
    [] { PenOn(kDgReverse); },               // 16
    DgCursorUp,                              // 17
    DgCursorForward,                         // 18
    DgCursorBack,                            // 19
    DgCursorDown,                            // 1A
    Nothing,                                 // 1B
    [] { PenOn(kDgDim); },                   // 1C
    [] { PenOff(kDgDim); },                  // 1D
    DgNativeCommand,                         // 1E
    Nothing,                                 // 1F
};
constexpr Control kAnsi[32] = {
    Nothing,                                 // 00
    [] { DgPrintCommand(0x48); },            // 01
    [] { PenOff(kDgReverse); },              // 02
    Nothing, Nothing, Nothing, Nothing,      // 03-06
    RequestBell,                             // 07
    DgCursorBack,                            // 08
    Nothing,                                 // 09
    DgNewLine,                               // 0A
    EraseToEndOfRow,                         // 0B
    DgNewLine,                               // 0C
    DgCarriageReturn,                        // 0D
    [] { Dg.sets.ansiGl = 1; },              // 0E shift out
    [] { Dg.sets.ansiGl = 0; },              // 0F shift in
    Nothing,                                 // 10
    [] { DgPrintCommand(0); },               // 11
    Nothing, Nothing, Nothing, Nothing,      // 12-15
    [] { PenOn(kDgReverse); },               // 16
    Nothing, Nothing, Nothing, Nothing,      // 17-1A
    DgEscape,                                // 1B
    Nothing, Nothing, Nothing, Nothing,      // 1C-1F
};
// clang-format on

void WriteCharacter(u8 byte)
{
    if (Dg.row < Dg.window.top || Dg.row > Dg.window.bottom)
        Dg.row = Dg.row < Dg.window.top ? Dg.window.top : Dg.window.bottom;
    if (Dg.column < 0 || Dg.column > kDgLastColumn)
        Dg.column = Dg.column < 0 ? 0 : kDgLastColumn;
    const DgStoredChar stored = DgMapReceived(byte);
    ScreenCell& cell = Dg.rows[Dg.row]->cells[Dg.column];
    cell = ScreenCell{stored.ch, Dg.pen.colour, static_cast<u8>(Dg.pen.rendition | Dg.pen.protect | kDgWritten),
                      stored.glyphSet};
    DgNoteWritten(Dg.row, Dg.column);
    if (Dg.column == Dg.window.right)
        DgFlushPending();
    DgCursorForward();
}

}  // namespace

void DgControl(u8 byte)
{
    const Control* table = Dg.mode == kDgModeAnsi ? kAnsi : kNative;
    table[byte & 0x1F]();
}

void DgDisplayChar(int byte)
{
    if (byte < 0 || Dg.mode == kDgModeOff || !Dg.block)
        return;
    byte &= 0xFF;
    const int row = Dg.row, column = Dg.column;
    if (byte < 0x20) {
        DgControl(static_cast<u8>(byte));
    } else {
        WriteCharacter(static_cast<u8>(byte));
    }
    // The view follows a cursor that moved out of it, unless horizontal scrolling is
    // off; a pan of the view by the host leaves the cursor where it is.
    const bool moved = row != Dg.row || column != Dg.column;
    if (moved && !Dg.hscrollDisabled && (Dg.column < Dg.window.viewLeft || Dg.column > Dg.window.viewRight))
        DgFollowCursor();
}
