// DG ANSI mode: the escape parser's states on the core's table walker, and the handlers
// of its ESC, DCS, CSI and CSI-space sequences.
#include <limits>

#include "terminal/core/host/escparser.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgio.h"
#include "terminal/emulations/dg/dgparams.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

constexpr u8 kEsc = 0x1B, kCsi = 0x9B;

// The next byte of a sequence: 7 bits; control codes act at once and reading goes on;
// 0 ends the walk (broken off, or an ESC inside the sequence started a new one).
int FetchSequenceByte()
{
    for (;;) {
        const int b = DgReadByte();
        if (b < 0)
            return 0;
        const u8 c = static_cast<u8>(b & 0x7F);
        if (c >= 0x20)
            return c;
        DgControl(c);
        if (!Dg.escInProgress || Dg.mode != kDgModeAnsi)
            return 0;
    }
}

u8 Current()
{
    return CsiParameters.currentByte;
}

// ---- ESC ----

void Designate()
{
    const int slot = Current() - '(';
    const int b = FetchSequenceByte();
    const int code = b > 0 ? DgSetOfAnsiFinal(static_cast<u8>(b)) : -1;
    if (code >= 0 && slot >= 0 && slot < 4)
        Dg.sets.ansi[slot] = static_cast<u8>(code);
}

void DefineWindowsDcs()
{
    DgDefineWindows(FetchSequenceByte);
}

// ---- CSI finals ----

bool Plain()
{
    return DgMarker() == ' ';
}

// A count the operation can use: 1 for 0, and never more than `most`.
int Count(int most)
{
    const i64 n = DgParam(0) <= 0 ? 1 : DgParam(0);
    return static_cast<int>(n < most ? n : most);
}

// A row or column counted from 1 into one counted from 0, held to 0..most.
int FromOne(int index, int most)
{
    const i64 v = static_cast<i64>(DgParam(index)) - 1;
    return static_cast<int>(v < 0 ? 0 : v > most ? most : v);
}

int WindowRows()
{
    return Dg.window.bottom - Dg.window.top + 1;
}

int WindowCells()
{
    return WindowRows() * kDgColumns;
}

// Cursor steps that wrap within the window: beyond one turn round the window a count
// changes nothing more, except where protected cells make the turn uneven.
void Repeat(void (*step)(), int count)
{
    for (int i = 0; i < count; ++i)
        step();
}

void CursorUpN()
{
    if (Plain())
        Repeat(DgCursorUp, DgProtectOn() ? Count(2 * WindowCells()) : Count(1 << 30) % WindowRows());
}

void CursorDownN()
{
    if (Plain())
        Repeat(DgCursorDown, DgProtectOn() ? Count(2 * WindowCells()) : Count(1 << 30) % WindowRows());
}

void CursorRightN()
{
    if (Plain())
        Repeat(DgCursorForward, Count(2 * WindowCells()));
}

void CursorLeftN()
{
    if (Plain())
        Repeat(DgCursorBack, Count(2 * WindowCells()));
}

void CursorPosition()
{
    if (!Plain())
        return;
    // Rows are capped at 24 and columns at 81 of the window.
    DgMoveCursor(FromOne(0, 23), FromOne(1, 80));
}

void EraseColumns(int* left, int* right)
{
    *left = Dg.eraseWithinMargins ? Dg.window.left : 0;
    *right = Dg.eraseWithinMargins ? Dg.window.right : kDgLastColumn;
}

int EraseMode()
{
    return Dg.protectAnsi ? kDgEraseUnprotected : kDgEraseAll;
}

void PenReset()
{
    Dg.pen.rendition = 0;
    Dg.pen.colour = DgNormalColour();
}

void EraseInDisplay()
{
    if (!Plain())
        return;
    int left, right;
    EraseColumns(&left, &right);
    const DgWindow& w = Dg.window;
    switch (DgParam(0)) {
    case 0:
        DgEraseRect(Dg.column, Dg.row, right, Dg.row, EraseMode());
        if (Dg.row < w.bottom)
            DgEraseRect(left, Dg.row + 1, right, w.bottom, EraseMode());
        break;
    case 1:
        if (Dg.row > w.top)
            DgEraseRect(left, w.top, right, Dg.row - 1, EraseMode());
        DgEraseRect(left, Dg.row, Dg.column, Dg.row, EraseMode());
        break;
    case 2:
        DgEraseRect(left, w.top, right, w.bottom, EraseMode());
        PenReset();
        DgWindowHome();
        break;
    default: break;
    }
}

void EraseInLine()
{
    if (!Plain())
        return;
    int left, right;
    EraseColumns(&left, &right);
    switch (DgParam(0)) {
    case 0: DgEraseRect(Dg.column, Dg.row, right, Dg.row, EraseMode()); break;
    case 1: DgEraseRect(left, Dg.row, Dg.column, Dg.row, EraseMode()); break;
    case 2:
        DgEraseRect(left, Dg.row, right, Dg.row, EraseMode());
        DgCarriageReturn();
        break;
    default: break;
    }
}

void InsertCharsN()
{
    if (Plain())
        DgInsertChars(Count(kDgColumns));
}

void DeleteCharsN()
{
    if (Plain())
        DgDeleteChars(Count(kDgColumns));
}

void InsertLinesN()
{
    if (Plain())
        DgInsertLines(Count(kDgRows), Dg.eraseWithinMargins != 0);
}

void DeleteLinesN()
{
    if (Plain())
        DgDeleteLines(Count(kDgRows), Dg.eraseWithinMargins != 0);
}

void ScrollUpN()
{
    if (Plain())
        DgScrollUp(Count(kDgRows));
}

void ScrollDownN()
{
    if (Plain())
        DgScrollDown(Count(kDgRows));
}

void SetMode(u8 marker, i32 value, bool set)
{
    if (marker == ' ') {
        if (value == 1)
            Dg.printScopeA = set ? 0 : 1;
        else if (value == 6)
            Dg.protectAnsi = set ? 0 : 1;
        return;
    }
    if (marker != '<')
        return;
    switch (value) {
    case 0: Dg.rollDisabled = set ? 1 : 0; break;
    case 1: Dg.blinkDisabled = set ? 1 : 0; break;
    case 2:
        Dg.hscrollDisabled = set ? 1 : 0;
        if (!set)
            DgFollowCursor();
        break;
    case 3:
        if (!set)
            DgSelectNativeMode();
        break;
    case 4: Dg.printScopeB = set ? 1 : 0; break;
    case 5: Dg.eraseWithinMargins = set ? 0 : 1; break;
    default: break;
    }
}

void Modes(bool set)
{
    for (int i = 0; i < DgParamCount(); ++i)
        SetMode(DgParamMarker(i), DgParam(i), set);
}

void PrintScope()
{
    u8 scope;
    if (Dg.printScopeA)
        scope = Dg.printScopeB ? 0x08 : 0;
    else
        scope = Dg.printScopeB ? 0x48 : 0x40;
    DgPrintCommand(scope);
}

void MediaCopy()
{
    if (!Plain())
        return;
    switch (DgParam(0)) {
    case 0: PrintScope(); break;
    case 4: DgPrinterControllerOff(); break;
    case 5: DgPrinterControllerOn(); break;
    default: break;
    }
}

void Rendition()
{
    if (!Plain())
        return;
    for (int i = 0; i < DgParamCount(); ++i) {
        switch (DgParam(i)) {
        case 0: PenReset(); break;
        case 2: Dg.pen.rendition |= kDgDim; break;
        case 4: Dg.pen.rendition |= kDgUnderline; break;
        case 5: Dg.pen.rendition |= kDgBlink; break;
        case 7: Dg.pen.rendition |= kDgReverse; break;
        default: break;
        }
    }
}

// Replies: CSI, then the text.
void Reply(const char* text)
{
    u8 bytes[40];
    int n = 0;
    bytes[n++] = kCsi;
    for (; *text && n < 40; ++text)
        bytes[n++] = static_cast<u8>(*text);
    DgSend(bytes, n);
}

void AppendNumber(char*& p, int v)
{
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 12);
    while (n > 0)
        *p++ = digits[--n];
}

void DeviceStatus()
{
    if (!Plain())
        return;
    char text[24];
    char* p = text;
    if (DgParam(0) == 5) {
        Reply("0n");
    } else if (DgParam(0) == 6) {
        AppendNumber(p, Dg.row + 1);
        *p++ = ';';
        AppendNumber(p, Dg.column + 1);
        *p++ = 'R';
        *p = 0;
        Reply(text);
    }
}

void ChangeAttributesCsi()
{
    if (!Plain())
        return;
    const i32 count = DgParam(0);
    DgChangeAttributes(count < 0 ? 0u : static_cast<u32>(count), DgParam(1) & 0x0F, DgParam(2) & 0x0F);
}

void ViewCommand()
{
    if (!Plain())
        return;
    if (DgParam(0) == 0) {
        char text[8];
        char* p = text;
        AppendNumber(p, Dg.window.viewLeft);
        *p++ = 't';
        *p = 0;
        Reply(text);
    } else if (DgParam(0) == 1) {
        const DgWindow& w = Dg.window;
        if (Dg.hscrollDisabled || w.left == 0 || w.right == 79)
            return;
        DgShowColumns(FromOne(1, kDgLastColumn), FromOne(2, kDgLastColumn));
        if (Dg.column < w.viewLeft)
            Dg.column = w.viewLeft;
        else if (Dg.column > w.viewRight)
            Dg.column = w.viewRight;
    }
}

void CursorAbsolute()
{
    if (Plain())
        DgSetCursor(FromOne(0, kDgLastRow), FromOne(1, kDgLastColumn));
}

void TerminalSetting(i32 item, i32 value)
{
    switch (item) {
    case 0:
        Dg.languageReporting = 1;
        Dg.eightBitAnsi = 0;
        Dg.cursorType = 2;
        DgSetWindowWidth(false);
        break;
    case 1:
        if (value == 0 || value == 1)
            Dg.languageReporting = static_cast<u8>(value);
        break;
    case 2:
        if (value == 0)
            Dg.eightBitAnsi = 0;
        else if (value == 1 && DgProfileAllowsEightBit())
            Dg.eightBitAnsi = 1;
        break;
    case 3:
        if (value >= 0 && value <= 3)
            Dg.cursorType = static_cast<u8>(value);
        break;
    case 4:
        if (value >= 0 && value <= 2)
            Dg.storedEffect = static_cast<u8>(value);
        break;
    case 5:
        if (value == 0 || value == 1)
            DgSetWindowWidth(value == 1);
        break;
    default: break;
    }
}

void TerminalSettings()
{
    if (!Plain())
        return;
    for (int i = 0; i < DgParamCount(); i += 2)
        TerminalSetting(DgParam(i), DgParam(i + 1));
}

void MarginsCsi()
{
    if (!Plain())
        return;
    switch (DgParam(0)) {
    case 0: DgRestoreMargins(); break;
    case 1: DgSetMargins(FromOne(1, kDgLastColumn), FromOne(2, kDgLastColumn)); break;
    case 2:
        DgAlternateMargins(FromOne(1, kDgLastRow), FromOne(2, kDgLastColumn), FromOne(3, kDgLastColumn));
        break;
    default: break;
    }
}

void TerminalId()
{
    if (!Plain())
        return;
    char digits[2];
    DgLanguageDigits(digits);
    const char text[] = {'5', '2', ';', '0',       static_cast<char>(Dg.eightBitNative ? '3' : '1'),
                         ';', '0', ';', digits[0], digits[1],
                         'x', 0};
    Reply(text);
}

void PanHigherN()
{
    if (Plain() && !Dg.hscrollDisabled)
        DgPanView(Count(kDgColumns));
}

void PanLowerN()
{
    if (Plain() && !Dg.hscrollDisabled)
        DgPanView(-Count(kDgColumns));
}

void DigitLike()
{
    DgParamAccumulate(static_cast<int>(Current()) - '0');
}

void NextParam()
{
    DgParamNext();
}

void Marker()
{
    DgParamMarkerByte(Current());
}

}  // namespace

// ---- The states ----
namespace {
extern const ParserRange kCsiState[];
extern const ParserRange kCsiSpaceState[];
extern const ParserRange kDcsState[];

// clang-format off
// ESC 0x28-0x63.
constexpr ParserAction kEscActions[0x63 - 0x28 + 1] = {
    {Designate, nullptr}, {Designate, nullptr}, {Designate, nullptr}, {Designate, nullptr},  // ( ) * +
    {}, {}, {}, {},                                                                          // , - . /
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},                            // 0-?
    {},                                                                                      // @
    {}, {}, {},                                                                              // A B C
    {DgIndex, nullptr},                                                                      // D
    {DgNewLine, nullptr},                                                                    // E
    {}, {}, {}, {}, {}, {}, {},                                                              // F-L
    {DgReverseIndex, nullptr},                                                               // M
    {[] { Dg.sets.singleShift = 2; }, nullptr},                                              // N
    {[] { Dg.sets.singleShift = 3; }, nullptr},                                              // O
    {IgnoreAction, kDcsState},                                                               // P
    {}, {}, {}, {}, {},                                                                      // Q-U
    {[] { Dg.pen.protect = kDgProtected; }, nullptr},                                        // V
    {[] { Dg.pen.protect = 0; }, nullptr},                                                   // W
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr}, {IgnoreAction, nullptr},               // X Y Z
    {IgnoreAction, kCsiState},                                                               // [
    {IgnoreAction, nullptr},                                                                 // backslash
    {}, {}, {}, {}, {}, {},                                                                  // ] ^ _ ` a b
    {DgResetTerminal, nullptr},                                                              // c
};
constexpr ParserRange kEscState[] = {{0x28, 0x63, kEscActions}, {0, 0, nullptr}};

constexpr ParserAction kDcsActions[4] = {
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr}, {IgnoreAction, nullptr}, {DefineWindowsDcs, nullptr},
};
const ParserRange kDcsState[] = {{'A', 'D', kDcsActions}, {0, 0, nullptr}};

// CSI: space, the digit-like bytes 0x21-0x27, digits, ';', the markers, the finals.
constexpr ParserAction kCsiCollect[0x3F - 0x20 + 1] = {
    {IgnoreAction, kCsiSpaceState},
    {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState},
    {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState},               // ! - '
    {}, {}, {}, {}, {}, {}, {}, {},                                                      // ( - /
    {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState},
    {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState}, {DigitLike, kCsiState},
    {DigitLike, kCsiState}, {DigitLike, kCsiState},                                      // 0-9
    {},                                                                                  // :
    {NextParam, kCsiState},                                                              // ;
    {Marker, kCsiState}, {Marker, kCsiState}, {Marker, kCsiState}, {Marker, kCsiState},  // < = > ?
};
constexpr ParserAction kCsiFinals[0x78 - 0x40 + 1] = {
    {InsertCharsN, nullptr},    // @
    {CursorUpN, nullptr},       // A
    {CursorDownN, nullptr},     // B
    {CursorRightN, nullptr},    // C
    {CursorLeftN, nullptr},     // D
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // E F G
    {CursorPosition, nullptr},  // H
    {IgnoreAction, nullptr},    // I
    {EraseInDisplay, nullptr},  // J
    {EraseInLine, nullptr},     // K
    {InsertLinesN, nullptr},    // L
    {DeleteLinesN, nullptr},    // M
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // N O
    {DeleteCharsN, nullptr},    // P
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // Q R
    {ScrollUpN, nullptr},       // S
    {ScrollDownN, nullptr},     // T
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // U V W
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // X Y Z
    {}, {}, {}, {}, {}, {},     // [ \ ] ^ _ `
    {}, {}, {}, {}, {},         // a b c d e
    {CursorPosition, nullptr},  // f
    {IgnoreAction, nullptr},    // g
    {[] { Modes(true); }, nullptr},   // h
    {MediaCopy, nullptr},       // i
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // j k
    {[] { Modes(false); }, nullptr},  // l
    {Rendition, nullptr},       // m
    {DeviceStatus, nullptr},    // n
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // o p
    {ChangeAttributesCsi, nullptr},  // q
    {IgnoreAction, nullptr}, {IgnoreAction, nullptr},  // r s
    {ViewCommand, nullptr},     // t
    {CursorAbsolute, nullptr},  // u
    {TerminalSettings, nullptr},  // v
    {MarginsCsi, nullptr},      // w
    {TerminalId, nullptr},      // x
};
const ParserRange kCsiState[] = {{0x20, 0x3F, kCsiCollect}, {0x40, 0x78, kCsiFinals}, {0, 0, nullptr}};

constexpr ParserAction kCsiSpaceActions[2] = {{PanHigherN, nullptr}, {PanLowerN, nullptr}};
const ParserRange kCsiSpaceState[] = {{'@', 'A', kCsiSpaceActions}, {0, 0, nullptr}};
// clang-format on

}  // namespace

void DgEscape()
{
    if (Dg.escInProgress) {
        // ESC inside a sequence: that one is abandoned and a new one starts.
        Dg.escInProgress = 0;
        PushBackInputByte(kEsc);
        return;
    }
    Dg.escInProgress = 1;
    DgParamsStart();
    ParseWithStateTableFrom(kEscState, FetchSequenceByte);
    Dg.escInProgress = 0;
}

void DgLanguageDigits(char out[2])
{
    const char* digits = "25";
    if (Dg.languageReporting) {
        switch (Dg.languageCode) {
        case 0: digits = "25"; break;
        case 1: digits = "26"; break;
        case 3: digits = "24"; break;
        case 4:
        case 12: digits = "31"; break;
        case 5:
        case 11: digits = "29"; break;
        case 6: digits = "28"; break;
        case 8: digits = "23"; break;
        case 9: digits = "19"; break;
        case 10: digits = "20"; break;
        case 13: digits = "27"; break;
        case 14: digits = "30"; break;
        default: digits = "00"; break;
        }
    }
    out[0] = digits[0];
    out[1] = digits[1];
}
