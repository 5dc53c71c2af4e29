// Native DG mode: the commands led in by RS, their operands and replies, and the full
// reset both personalities share.
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgio.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

constexpr u8 kRs = 0x1E, kAck = 0x06;

// Operands: every byte gives its low four bits; -1 when the command was broken off.
int Nibble()
{
    const int b = DgReadByte();
    return b < 0 ? -1 : b & 0x0F;
}

int ByteValue()
{
    const int high = Nibble();
    if (high < 0)
        return -1;
    const int low = Nibble();
    return low < 0 ? -1 : high << 4 | low;
}

int Count12()
{
    const int a = Nibble();
    if (a < 0)
        return -1;
    const int b = Nibble();
    if (b < 0)
        return -1;
    const int c = Nibble();
    return c < 0 ? -1 : a << 8 | b << 4 | c;
}

// A position value in a reply: two bytes, each four bits with 0x40 added.
void PutPosition(u8* out, int value)
{
    out[0] = static_cast<u8>((value >> 4 & 0x0F) | 0x40);
    out[1] = static_cast<u8>((value & 0x0F) | 0x40);
}

void Ack()
{
    const u8 ack = kAck;
    DgSend(&ack, 1);
}

void ReadTerminalId()
{
    const u8 reply[6] = {kRs, 'o', '#', '*', '8', DgLanguageByte()};
    DgSend(reply, 6);
}

void ReadViewOffset()
{
    u8 reply[5] = {kRs, 'o', ':'};
    PutPosition(reply + 3, Dg.window.viewLeft);
    DgSend(reply, 5);
}

void ReadCursorPosition()
{
    u8 reply[7] = {kRs, 'o', '8'};
    PutPosition(reply + 3, Dg.column);
    PutPosition(reply + 5, Dg.row);
    DgSend(reply, 7);
}

void PanRight()
{
    const int n = ByteValue();
    if (n >= 0 && !Dg.hscrollDisabled)
        DgPanView(n);
}

void PanLeft()
{
    const int n = ByteValue();
    if (n >= 0 && !Dg.hscrollDisabled)
        DgPanView(-n);
}

void ClearScreenNative()
{
    DgClearScreen();
    DgSetCursor(0, 0);
    DgShowColumns(Dg.window.left, Dg.window.right);
    Dg.pen.rendition = static_cast<u8>(Dg.pen.rendition & ~(kDgDim | kDgUnderline | kDgReverse));
}

// The rest of the cursor's row to the right margin, then the window's following rows
// between the margins: unprotected cells only.
void EraseToEndOfWindow()
{
    const DgWindow& w = Dg.window;
    DgEraseRect(Dg.column, Dg.row, w.right, Dg.row, kDgEraseUnprotected);
    if (Dg.row < w.bottom)
        DgEraseRect(w.left, Dg.row + 1, w.right, w.bottom, kDgEraseUnprotected);
}

void ChangeAttributes()
{
    const int count = Count12();
    if (count < 0)
        return;
    const int set = Nibble();
    if (set < 0)
        return;
    const int reset = Nibble();
    if (reset >= 0)
        DgChangeAttributes(static_cast<u32>(count), set, reset);
}

void SetCursorAbsolute()
{
    const int column = ByteValue();
    if (column < 0)
        return;
    const int row = ByteValue();
    if (row < 0)
        return;
    DgSetCursor(row == 255 ? kDgKeep : row, column == 255 ? kDgKeep : column);
}

void CursorType()
{
    const int n = Nibble();
    if (n >= 0 && n <= 3)
        Dg.cursorType = static_cast<u8>(n);
}

void DesignateGl()
{
    const int value = ByteValue();
    const int code = value < 0 ? -1 : DgSetOfNativeValue(value);
    if (code >= 0)
        Dg.sets.native[Dg.sets.nativeGl & 1] = static_cast<u8>(code);
}

void StoredEffect()
{
    const int n = Nibble();
    if (n >= 0 && n <= 2)
        Dg.storedEffect = static_cast<u8>(n);
}

void EightBit()
{
    const int b = DgReadByte();
    if (b == '0')
        Dg.eightBitNative = 0;
    else if (b == '1' && DgProfileAllowsEightBit())
        Dg.eightBitNative = 1;
}

void Margins()
{
    const int left = ByteValue();
    if (left < 0)
        return;
    const int right = ByteValue();
    if (right >= 0)
        DgSetMargins(left, right);
}

void AlternateMargins()
{
    const int row = ByteValue();
    if (row < 0)
        return;
    const int left = ByteValue();
    if (left < 0)
        return;
    const int right = ByteValue();
    if (right >= 0)
        DgAlternateMargins(row == 255 ? kDgKeep : row, left, right);
}

void ShowColumnsNative()
{
    const int first = ByteValue();
    if (first < 0)
        return;
    const int last = ByteValue();
    if (last < 0 || Dg.hscrollDisabled || Dg.window.left == 0 || Dg.window.right == 79)
        return;
    DgShowColumns(first, last);
    // A cursor the view left behind goes to the view's nearer edge.
    const DgWindow& w = Dg.window;
    if (Dg.column < w.viewLeft)
        Dg.column = w.viewLeft;
    else if (Dg.column > w.viewRight)
        Dg.column = w.viewRight;
}

void LanguageReporting()
{
    const int b = DgReadByte();
    if (b == '0' || b == '1')
        Dg.languageReporting = static_cast<u8>(b - '0');
}

void PrinterQuery()
{
    const int b = DgReadByte();
    if (b == '2')
        DgPrinterControllerOff();
    else if (b == '3')
        DgPrinterControllerOn();
    else if (b == '5' || b == '6')
        Ack();
}

void FullReset()
{
    DgResetTerminal();
}

void DefineWindows()
{
    DgDefineWindows(DgReadByte);
}

void HorizontalScrollOn()
{
    Dg.hscrollDisabled = 0;
    DgFollowCursor();
}

// clang-format off
using Command = void (*)();
struct Entry {
    u8 byte;
    Command run;
};
// RS F x.
constexpr Entry kExtended[] = {
    {'?', PrinterQuery},
    {'@', DgSelectAnsiMode},
    {'A', FullReset},
    {'B', DefineWindows},
    {'C', PanRight},
    {'D', PanLeft},
    {'E', ClearScreenNative},
    {'F', EraseToEndOfWindow},
    {'G', [] { DgSetCursor(0, 0); }},
    {'H', [] { DgInsertLines(1, false); }},
    {'I', [] { DgDeleteLines(1, false); }},
    {'J', [] { DgSetWindowWidth(false); }},
    {'K', [] { DgSetWindowWidth(true); }},
    {'L', [] { Dg.pen.protect = kDgProtected; }},
    {'M', [] { Dg.pen.protect = 0; }},
    {'N', ChangeAttributes},
    {'O', ReadViewOffset},
    {'P', SetCursorAbsolute},
    {'Q', CursorType},
    {'S', DesignateGl},
    {'T', StoredEffect},
    {'U', EightBit},
    {'V', [] { Dg.protectNative = 1; }},
    {'W', [] { Dg.protectNative = 0; }},
    {'X', Margins},
    {'Y', AlternateMargins},
    {'Z', DgRestoreMargins},
    {'[', [] { DgInsertLines(1, true); }},
    {'\\', [] { DgDeleteLines(1, true); }},
    {']', [] { Dg.hscrollDisabled = 1; }},
    {'^', HorizontalScrollOn},
    {'_', ShowColumnsNative},
    {'`', DgPrinterControllerOn},
    {'a', DgPrinterControllerOff},
    {'b', ReadCursorPosition},
    {'f', LanguageReporting},
};

void Extended()
{
    const int b = DgReadByte();
    if (b < 0)
        return;
    for (const Entry& e : kExtended)
        if (e.byte == b) {
            e.run();
            return;
        }
}

void GCommand()
{
    const int b = DgReadByte();
    if (b == 'p')
        DgReadByte();  // RS G p and the byte after it
}

// RS x.
constexpr Entry kCommands[] = {
    {'C', ReadTerminalId},
    {'D', [] { Dg.pen.rendition |= kDgReverse; }},
    {'E', [] { Dg.pen.rendition &= static_cast<u8>(~kDgReverse); }},
    {'F', Extended},
    {'G', GCommand},
    {'H', [] { DgScrollUp(1); }},
    {'I', [] { DgScrollDown(1); }},
    {'J', [] { DgInsertChars(1); }},
    {'K', [] { DgDeleteChars(1); }},
    {'N', [] { Dg.sets.nativeGl = 1; }},
    {'O', [] { Dg.sets.nativeGl = 0; }},
};
// clang-format on

// The language byte of the terminal ID by keyboard-language code.
u8 LanguageByteFor(int code)
{
    switch (code) {
    case 0: return 'Y';
    case 1: return 'Z';
    case 3: return 'X';
    case 4:
    case 12: return '_';
    case 5:
    case 11: return ']';
    case 6: return '\\';
    case 8: return 'W';
    case 9: return 'S';
    case 10: return 'T';
    case 13: return '[';
    case 14: return '^';
    default: return '@';
    }
}

}  // namespace

void DgNativeCommand()
{
    const int b = DgReadByte();
    if (b < 0)
        return;
    for (const Entry& e : kCommands)
        if (e.byte == b) {
            e.run();
            return;
        }
}

u8 DgLanguageByte()
{
    return Dg.languageReporting ? LanguageByteFor(Dg.languageCode) : 'Y';
}

void DgSelectAnsiMode()
{
    Dg.mode = kDgModeAnsi;
    Dg.escInProgress = 0;
}

void DgSelectNativeMode()
{
    Dg.mode = kDgModeNative;
    Dg.escInProgress = 0;
}

void DgResetTerminal()
{
    DgResetScreenState();
    RequestBell();
}

void DgResetScreenState()
{
    DgClearScreen();
    if (Dg.mode == kDgModeAnsi)
        Dg.eightBitAnsi = DgProfileAllowsEightBit() ? 1 : 0;
    else
        Dg.eightBitNative = DgProfileAllowsEightBit() ? 1 : 0;
    DgResetCharsets();
    Dg.cursorType = 2;
    Dg.languageReporting = 1;
    Dg.rollDisabled = 0;
    Dg.hscrollDisabled = 0;
    Dg.blinkDisabled = 0;
    Dg.protectNative = 0;
    Dg.pen = DgPen{DgNormalColour(), 0, 0};
    for (DgLine* line : Dg.rows)
        for (ScreenCell& cell : line->cells)
            cell = DgBlankCell();
    Dg.window.left = 0;
    Dg.window.right = 79;
    Dg.window.savedLeft = Dg.window.savedRight = -1;
    DgResetWindows();
    Dg.row = 0;
    Dg.column = 0;
    DgDamageAll();
}
