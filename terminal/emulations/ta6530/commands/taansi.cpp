#include "terminal/emulations/ta6530/commands/taansi.h"

#include <algorithm>
#include <array>

#include "terminal/core/host/capture.h"
#include "terminal/core/host/escparser.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/emulations/ta6530/commands/taconfig.h"
#include "terminal/emulations/ta6530/screen/tacursor.h"
#include "terminal/emulations/ta6530/screen/taedit.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/screen/tawrite.h"

namespace {

constexpr int kEsc = 27, kSt = 156;

// A byte handed to the walker before the next one is read (the C1 form of ESC x).
int g_injected = -1;

int NextByte()
{
    if (g_injected >= 0) {
        const int b = g_injected;
        g_injected = -1;
        return b;
    }
    const int b = TaReadByte();
    if (b >= 32 && b <= 126)
        return b;
    // ESC begins a new sequence: it is read again once this one has ended.
    if (b == kEsc)
        TaPushBack(kEsc);
    return 0;
}

// ---- Parameters ----

bool Private()
{
    return CsiParameters.slots[1].marker != ' ';
}

int Param(int i)
{
    return i <= CsiParameters.count ? CsiParameters.slots[i].value : 0;
}

int Count()
{
    const int n = Param(1);
    return n == 0 ? 1 : n;
}

// ---- The ANSI page ----

TaPage& Page()
{
    return TaCurrentPage();
}

int Row()
{
    return Page().cursorLine - Page().first;
}

int Column()
{
    return Page().cursorColumn;
}

void MoveTo(int row, int column)
{
    TaPage& p = Page();
    p.cursorLine = p.first + std::clamp(row, 0, kTaRows - 1);
    p.cursorColumn = std::clamp(column, 0, Ta.lastColumn);
    TaUpdateCursor();
}

ScreenCell& Cell(int row, int column)
{
    return TaLineAt(Page().first + row).cells[column];
}

void BlankCells(int row, int c0, int c1)
{
    for (int c = std::max(c0, 0); c <= c1 && c < kTaColumns; ++c) {
        ScreenCell& cell = Cell(row, c);
        cell = ScreenCell{' ', 0, 0, static_cast<u8>(cell.flags & kCellSelected)};
    }
    TaMarkLineDirty(Page().first + row, c0, c1);
}

void BlankRows(int r0, int r1)
{
    for (int r = r0; r <= r1; ++r)
        BlankCells(r, 0, kTaColumns - 1);
}

void InsertBlanks(int n)
{
    const int row = Row(), column = Column();
    ScreenCell* cells = TaLineAt(Page().first + row).cells;
    n = std::min(n, Ta.lastColumn + 1 - column);
    for (int c = Ta.lastColumn; c >= column + n; --c)
        cells[c] = cells[c - n];
    BlankCells(row, column, column + n - 1);
    TaMarkLineDirty(Page().first + row, column, Ta.lastColumn);
}

void DeleteChars(int n)
{
    const int row = Row(), column = Column();
    ScreenCell* cells = TaLineAt(Page().first + row).cells;
    n = std::min(n, Ta.lastColumn + 1 - column);
    for (int c = column; c + n <= Ta.lastColumn; ++c)
        cells[c] = cells[c + n];
    BlankCells(row, Ta.lastColumn + 1 - n, Ta.lastColumn);
    TaMarkLineDirty(Page().first + row, column, Ta.lastColumn);
}

// Lines move within the page: insert at the cursor row pushes the last one out.
void ShiftLines(int n, bool insert)
{
    const int row = Row();
    n = std::min(n, kTaRows - row);
    for (int i = 0; i < n; ++i) {
        TaLine** begin = Ta.lines + Page().first + row;
        TaLine** end = Ta.lines + Page().first + kTaRows;
        if (insert)
            std::rotate(begin, end - 1, end);
        else
            std::rotate(begin, begin + 1, end);
        TaClearLine(TaLineAt(insert ? Page().first + row : Page().first + kTaRows - 1));
    }
    TaShowPage();
    TaRepaintRows(row, kTaRows - 1);
}

int NextTab(int column)
{
    for (int c = column + 1; c <= Ta.lastColumn; ++c)
        if (Ta.tabs[c] == 'T')
            return c;
    return Ta.lastColumn;
}

int PreviousTab(int column)
{
    for (int c = column - 1; c >= 0; --c)
        if (Ta.tabs[c] == 'T')
            return c;
    return 0;
}

void Reply(const char* text)
{
    TaSendString(text);
}

void ReplyNumber(int v)
{
    char digits[8];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 7);
    while (n > 0)
        TaSendByte(static_cast<u8>(digits[--n]));
}

// ---- ESC handlers ----

void Nothing() {}
void SingleWidth()
{
    TaLineAt(Page().cursorLine).doubleWidth = 0;
    TaMarkLineDirty(Page().cursorLine, 0, kTaColumns - 1);
}
void DoubleWidth()
{
    TaLineAt(Page().cursorLine).doubleWidth = 1;
    TaMarkLineDirty(Page().cursorLine, 0, kTaColumns - 1);
}

u8 SetOfFinal(u8 f, bool g1)
{
    switch (f) {
    case '0': return 10;
    case '<': return g1 ? 11 : 0;
    case 'A': return 1;
    case 'B': return 0;
    case 'E': return 3;
    case 'H': return 4;
    case 'K': return 5;
    case 'R': return 2;
    case 'Z': return 8;
    default: return 0xFF;
    }
}

void DesignateG0()
{
    const u8 set = SetOfFinal(CsiParameters.currentByte, false);
    if (set != 0xFF)
        Ta.g0 = set;
}

void DesignateG1()
{
    const u8 set = SetOfFinal(CsiParameters.currentByte, true);
    if (set != 0xFF)
        Ta.g1 = set;
}

void SaveCursor()
{
    Ta.saved = TaSavedCursor{Row(), Column(), Ta.attribute};
}

void RestoreCursor()
{
    MoveTo(Ta.saved.row, Ta.saved.column);
    Ta.attribute = Ta.saved.attribute;
}

void Index()
{
    TaLineFeed();
}

void NextLine()
{
    Page().cursorColumn = 0;
    TaLineFeed();
}

void TabSet()
{
    Ta.tabs[Column()] = 'T';
}

void ReverseIndex()
{
    if (Row() == 0)
        TaScrollDown();
    else
        MoveTo(Row() - 1, Column());
}

void LockKeyboard()
{
    TaLockKeyboard(true);
}

void UnlockKeyboard()
{
    TaLockKeyboard(false);
}

void Reset()
{
    TaResetTerminal(false);
}

// ---- Device control strings ----

void SkipString()
{
    TaSkipString();
}

void MessageString()
{
    u8 text[64];
    int n = 0;
    for (int b = TaReadSequenceByte(); b != kSt && b != 24; b = TaReadSequenceByte())
        if (n < 64 && b >= 32)
            text[n++] = DataBitsSetting == 2 ? static_cast<u8>(b) : TaMapNational(static_cast<u8>(b));
    for (int i = n; i < 64; ++i)
        text[i] = ' ';
    TaSetMessageText(1, text, 64, Ta.attribute);
}

void CaptureString()
{
    const int mode = Param(1);
    u8 name[127];
    int n = 0;
    for (int b = TaReadSequenceByte(); b != kSt && b != 24; b = TaReadSequenceByte())
        if (n < 127 && b >= 32)
            name[n++] = static_cast<u8>(b);
    if (mode == 0 || mode == 1)
        OpenHostCaptureFile(mode, name, n);
}

// ---- Control sequences ----

void Csi(void (*run)())
{
    if (!Private())
        run();
}

void InsertChars()
{
    Csi([] { InsertBlanks(Count()); });
}
void CursorUp()
{
    Csi([] { MoveTo(((Row() - Count()) % kTaRows + kTaRows) % kTaRows, Column()); });
}
void CursorDown()
{
    Csi([] { MoveTo((Row() + Count()) % kTaRows, Column()); });
}
void Horizontal(int delta)
{
    const int width = Ta.lastColumn + 1, total = width * kTaRows;
    const int at = ((Row() * width + Column() + delta) % total + total) % total;
    MoveTo(at / width, at % width);
}
void CursorRight()
{
    Csi([] { Horizontal(Count() % ((Ta.lastColumn + 1) * kTaRows)); });
}
void CursorLeft()
{
    Csi([] { Horizontal(-(Count() % ((Ta.lastColumn + 1) * kTaRows))); });
}
void NextLines()
{
    Csi([] {
        for (int i = Count(); i > 0 && i <= kTaRows * 2; --i)
            NextLine();
    });
}
void PreviousLines()
{
    Csi([] { MoveTo(std::max(Row() - Count(), 0), 0); });
}
void ColumnAbsolute()
{
    Csi([] { MoveTo(Row(), Count() - 1); });
}
void CursorPosition()
{
    Csi([] {
        const int row = std::min(Param(1) == 0 ? 1 : Param(1), kTaRows);
        const int column = Param(2) == 0 ? 1 : Param(2);
        MoveTo(row - 1, column - 1);
    });
}
void ForwardTabs()
{
    Csi([] {
        int c = Column();
        for (int i = Count(); i > 0 && c < Ta.lastColumn; --i)
            c = NextTab(c);
        MoveTo(Row(), c);
    });
}
void EraseDisplay()
{
    Csi([] {
        const int row = Row(), column = Column();
        switch (Param(1)) {
        case 0:
            BlankCells(row, column, kTaColumns - 1);
            BlankRows(row + 1, kTaRows - 1);
            break;
        case 1:
            BlankRows(0, row - 1);
            BlankCells(row, 0, column);
            break;
        case 2: BlankRows(0, kTaRows - 1); break;
        default: break;
        }
    });
}
void EraseLine()
{
    Csi([] {
        switch (Param(1)) {
        case 0: BlankCells(Row(), Column(), kTaColumns - 1); break;
        case 1: BlankCells(Row(), 0, Column()); break;
        case 2: BlankCells(Row(), 0, kTaColumns - 1); break;
        default: break;
        }
    });
}
void InsertLines()
{
    Csi([] { ShiftLines(Count(), true); });
}
void DeleteLines()
{
    Csi([] { ShiftLines(Count(), false); });
}
void ClearToTabs()
{
    Csi([] {
        const int row = Row(), column = Column();
        switch (Param(1)) {
        case 0: BlankCells(row, column, NextTab(column) - 1); break;
        case 1: BlankCells(row, PreviousTab(column), column); break;
        case 2: BlankCells(row, PreviousTab(column), NextTab(column) - 1); break;
        default: break;
        }
    });
}
void DeleteCharsCsi()
{
    Csi([] { DeleteChars(Count()); });
}
void ScrollUpCsi()
{
    Csi([] {
        for (int i = std::min(Count(), kTaRows); i > 0; --i)
            TaScrollUp();
    });
}
void ScrollDownCsi()
{
    Csi([] {
        for (int i = std::min(Count(), kTaRows); i > 0; --i)
            TaScrollDown();
    });
}
void TabControl()
{
    Csi([] {
        switch (Param(1)) {
        case 0: Ta.tabs[Column()] = 'T'; break;
        case 2: Ta.tabs[Column()] = ' '; break;
        case 3:
            for (char& t : Ta.tabs)
                t = ' ';
            break;
        default: break;
        }
    });
}
void EraseChars()
{
    Csi([] {
        int n = Count(), row = Row(), column = Column();
        while (n > 0 && row < kTaRows) {
            const int last = std::min(column + n - 1, Ta.lastColumn);
            BlankCells(row, column, last);
            n -= last - column + 1;
            ++row;
            column = 0;
        }
    });
}
void BackTabs()
{
    Csi([] {
        int c = Column();
        for (int i = Count(); i > 0 && c > 0; --i)
            c = PreviousTab(c);
        MoveTo(Row(), c);
    });
}
void RepeatChar()
{
    Csi([] {
        const u8 ch = Ta.lastChar;
        for (int i = std::min(Count(), kTaRows * kTaColumns); i > 0; --i)
            TaWriteChar(ch);
    });
}
void DeviceAttributes()
{
    Csi([] {
        if (Param(1) == 0)
            Reply("\033[11;3;20c");
    });
}
void ClearTabsCsi()
{
    Csi([] {
        if (Param(1) == 0)
            Ta.tabs[Column()] = ' ';
        else if (Param(1) == 3)
            for (char& t : Ta.tabs)
                t = ' ';
    });
}
void Modes(bool on)
{
    for (int i = 1; i <= CsiParameters.count; ++i) {
        const bool dec = CsiParameters.slots[i].marker == '?';
        const int v = CsiParameters.slots[i].value;
        if (!dec && v == 2)
            TaLockKeyboard(on);
        else if (!dec && v == 20)
            Ta.newLine = on;
        else if (dec && v == 7)
            Ta.autoWrap = on;
        else if (dec && v == 25)
            Ta.cursorVisible = on;
    }
}
void SetModes()
{
    Modes(true);
}
void ResetModes()
{
    Modes(false);
}
void Rendition()
{
    Csi([] {
        for (int i = 1; i <= CsiParameters.count; ++i) {
            u8& a = Ta.attribute;
            switch (CsiParameters.slots[i].value) {
            case 0: a = 0; break;
            case 2: a |= kTaHalf; break;
            case 3:
            case 5: a |= kTaBlink; break;
            case 4: a |= kTaUnderline; break;
            case 7: a |= kTaReverse; break;
            case 22: a &= static_cast<u8>(~kTaHalf); break;
            case 23:
            case 25: a &= static_cast<u8>(~kTaBlink); break;
            case 24: a &= static_cast<u8>(~kTaUnderline); break;
            case 27: a &= static_cast<u8>(~kTaReverse); break;
            default: break;
            }
        }
    });
}
void StatusReport()
{
    Csi([] {
        if (Param(1) == 5) {
            Reply("\033[0n");
        } else if (Param(1) == 6) {
            Reply("\033[");
            ReplyNumber(Row() + 1);
            TaSendByte(';');
            ReplyNumber(Column() + 1);
            TaSendByte('R');
        }
    });
}
void ReadRectangle()
{
    Csi([] {
        const int r0 = std::clamp(Param(1), 1, kTaRows) - 1, c0 = std::clamp(Param(2), 1, kTaColumns) - 1;
        const int r1 = std::clamp(Param(3), 1, kTaRows) - 1, c1 = std::clamp(Param(4), 1, kTaColumns) - 1;
        Reply("\033P:");
        for (int r = r0; r <= r1; ++r)
            for (int c = r == r0 ? c0 : 0; c <= (r == r1 ? c1 : Ta.lastColumn); ++c) {
                const ScreenCell& cell = Cell(r, c);
                TaSendByte(cell.ch < 32 ? static_cast<u8>(' ') : cell.ch);
            }
        Reply("\033\\");
    });
}
void ConfigurationReport()
{
    Csi(TaAnsiReportConfiguration);
}
void ResetCsi()
{
    Csi([] {
        if (Param(1) <= 5)
            TaResetTerminal(false);
    });
}
void SoftReset()
{
    TaLockKeyboard(false);
    Ta.newLine = false;
    Ta.autoWrap = false;
    Ta.cursorVisible = false;
    Ta.attribute = 0;
    MoveTo(0, 0);
    BlankRows(0, kTaRows - 1);
}

// ---- Tables ----

extern const ParserRange kCsiState[];
extern const ParserRange kCsiBangState[];
extern const ParserRange kDcsState[];
extern const ParserRange kHashState[];
extern const ParserRange kG0State[];
extern const ParserRange kG1State[];

constexpr std::array<ParserAction, 2> kHashActions{{{SingleWidth, nullptr}, {DoubleWidth, nullptr}}};
constexpr auto kG0Actions = SameActions<0x7E - 0x20 + 1>(DesignateG0);
constexpr auto kG1Actions = SameActions<0x7E - 0x20 + 1>(DesignateG1);

constexpr auto kCsiParameters = CsiParameterActions(kCsiState, Nothing);
constexpr std::array<ParserAction, 1> kBang{{{Nothing, kCsiBangState}}};
constexpr std::array<ParserAction, 1> kSoftReset{{{SoftReset, nullptr}}};

// CSI finals 0x40-0x7E.
// clang-format off
constexpr std::array<ParserAction, 0x7E - 0x40 + 1> kCsiFinals{{
    {InsertChars, nullptr},   {CursorUp, nullptr},      {CursorDown, nullptr},    {CursorRight, nullptr},  // @ABC
    {CursorLeft, nullptr},    {NextLines, nullptr},     {PreviousLines, nullptr}, {ColumnAbsolute, nullptr}, // DEFG
    {CursorPosition, nullptr}, {ForwardTabs, nullptr},  {EraseDisplay, nullptr},  {EraseLine, nullptr},    // HIJK
    {InsertLines, nullptr},   {DeleteLines, nullptr},   {ClearToTabs, nullptr},   {Nothing, nullptr},      // LMNO
    {DeleteCharsCsi, nullptr}, {Nothing, nullptr},      {Nothing, nullptr},       {ScrollUpCsi, nullptr},  // PQRS
    {ScrollDownCsi, nullptr}, {Nothing, nullptr},       {Nothing, nullptr},       {TabControl, nullptr},   // TUVW
    {EraseChars, nullptr},    {Nothing, nullptr},       {BackTabs, nullptr},      {Nothing, nullptr},      // XYZ[
    {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},      // \]^_
    {Nothing, nullptr},       {Nothing, nullptr},       {RepeatChar, nullptr},    {DeviceAttributes, nullptr}, // `abc
    {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},       {ClearTabsCsi, nullptr}, // defg
    {SetModes, nullptr},      {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},      // hijk
    {ResetModes, nullptr},    {Rendition, nullptr},     {StatusReport, nullptr},  {Nothing, nullptr},      // lmno
    {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},      // pqrs
    {Nothing, nullptr},       {Nothing, nullptr},       {ReadRectangle, nullptr}, {Nothing, nullptr},      // tuvw
    {ConfigurationReport, nullptr}, {ResetCsi, nullptr}, {Nothing, nullptr},      {Nothing, nullptr},      // xyz{
    {Nothing, nullptr},       {Nothing, nullptr},       {Nothing, nullptr},                                // |}~
}};

const ParserRange kCsiState[] = {
    {0x21, 0x21, kBang.data()},
    {0x30, 0x3F, kCsiParameters.data()},
    {0x40, 0x7E, kCsiFinals.data()},
    {0, 0, nullptr},
};
const ParserRange kCsiBangState[] = {
    {0x70, 0x70, kSoftReset.data()},
    {0, 0, nullptr},
};

constexpr auto kDcsDigits = SameActions<10>(CsiParamDigit, kDcsState);
constexpr std::array<ParserAction, 6> kDcsFinals{{
    {SkipString, nullptr}, {CsiNextParam, kDcsState}, {SkipString, nullptr},             // : ; <
    {MessageString, nullptr}, {SkipString, nullptr}, {TaAnsiSetConfiguration, nullptr}, // = > ?
}};
constexpr std::array<ParserAction, 1> kDcsCapture{{{CaptureString, nullptr}}};
const ParserRange kDcsState[] = {
    {0x30, 0x39, kDcsDigits.data()},
    {0x3A, 0x3F, kDcsFinals.data()},
    {0x7A, 0x7A, kDcsCapture.data()},
    {0, 0, nullptr},
};

const ParserRange kHashState[] = {{0x35, 0x36, kHashActions.data()}, {0, 0, nullptr}};
const ParserRange kG0State[] = {{0x20, 0x7E, kG0Actions.data()}, {0, 0, nullptr}};
const ParserRange kG1State[] = {{0x20, 0x7E, kG1Actions.data()}, {0, 0, nullptr}};

// ESC 0x23-0x7E.
constexpr std::array<ParserAction, 1> kEscHash{{{Nothing, kHashState}}};
constexpr std::array<ParserAction, 2> kEscDesignate{{{Nothing, kG0State}, {Nothing, kG1State}}};
constexpr std::array<ParserAction, 2> kEscSaveRestore{{{SaveCursor, nullptr}, {RestoreCursor, nullptr}}};
constexpr std::array<ParserAction, 0x60 - 0x40 + 1> kEscUpper{{
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},     // @ABC
    {Index, nullptr},   {NextLine, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},    // DEFG
    {TabSet, nullptr},  {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},     // HIJK
    {Nothing, nullptr}, {ReverseIndex, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, // LMNO
    {Nothing, kDcsState}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},   // PQRS
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},     // TUVW
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, kCsiState},   // XYZ[
    {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr}, {Nothing, nullptr},     // \]^_
    {LockKeyboard, nullptr},                                                            // `
}};
constexpr std::array<ParserAction, 3> kEscLower{{{Nothing, nullptr}, {UnlockKeyboard, nullptr}, {Reset, nullptr}}};

const ParserRange kEscState[] = {
    {0x23, 0x23, kEscHash.data()},
    {0x28, 0x29, kEscDesignate.data()},
    {0x37, 0x38, kEscSaveRestore.data()},
    {0x40, 0x60, kEscUpper.data()},
    {0x61, 0x63, kEscLower.data()},
    {0, 0, nullptr},
};
// clang-format on

void Walk(int injected)
{
    ResetCsiCollector();
    g_injected = injected;
    TaHoldInput();
    ParseWithStateTableFrom(kEscState, NextByte);
    g_injected = -1;
    TaEndCommand();
}

}  // namespace

void TaEnterAnsiParser()
{
    Walk(-1);
}

void TaAnsiC1(u8 byte)
{
    Walk(byte - 64);
}
