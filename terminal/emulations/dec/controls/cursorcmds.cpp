#include "terminal/emulations/dec/controls/cursorcmds.h"

#include "terminal/core/screen/autoprint.h"
#include "terminal/emulations/dec/controls/controls.h"
#include "terminal/emulations/dec/localedit/localedit.h"

#include "terminal/comms/aux/auxport.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/core/screen/celltext.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/localedit/localedit.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/profilevalues.h"

wchar16 (&TabStops)[kTabColumns + 1] = Vt300Values.tabstops;
u8 TabCommandFlags = 0;

namespace {

// CSI = Ps F / G: colour numbers of the PC console order to the terminal's indexes.
constexpr u8 kConsoleColourIndex[16] = {0, 9, 11, 13, 10, 12, 14, 7, 8, 1, 3, 5, 2, 4, 6, 15};

bool NoMarker()
{
    return ParamMarker() == ' ';
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// The column tabs stop at on the right: the line's own limit, or the right margin while
// left/right margin mode is on.
int TabRightLimit()
{
    return VtMode.lrMarginModeOff ? CursorColumnLimit() : Screen.right;
}

void SetConsoleColour(bool foreground)
{
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (p > 15)
            continue;
        const u8 c = kConsoleColourIndex[p];
        CurrentColour = foreground ? static_cast<u8>((CurrentColour & 0xF0) | c)
                                   : static_cast<u8>((CurrentColour & 0x0F) | (c << 4));
    }
}

ScreenLineRecord* Row(int row)
{
    return row >= 0 && row < Screen.pageLength ? LineAt(row) : nullptr;
}

// Blanks columns a..b of a row with the current attribute (cell 0 keeps the line's
// size attributes).
void BlankSpan(int row, int a, int b)
{
    if (!Row(row))
        return;
    a = Clamp(a, 0, kStoreColumns - 1);
    b = Clamp(b, 0, kStoreColumns - 1);
    if (a <= b)
        FillLineCells(row, a, b - a + 1);
}

void EraseRowsBelow()
{
    if (Screen.cursorRow + 1 <= Screen.pageLength - 1) {
        ClearLines(Screen.cursorRow + 1, Screen.pageLength - 1);
        RepaintScreenRegion(Screen.cursorRow + 1, 0, Screen.pageLength - 1, kStoreColumns - 1);
    }
}

void EraseAbove()
{
    const int row = Screen.cursorRow;
    if (row > 0) {
        ClearLines(0, row - 1);
        RepaintScreenRegion(0, 0, row - 1, kStoreColumns - 1);
    }
    BlankSpan(row, Screen.left, Screen.cursorColumn);
    RepaintCursorRow();
}

void SelectiveEraseRows(int first, int last)
{
    for (int row = first; row <= last; ++row)
        EraseUnprotectedCells(row, 0, kStoreColumns);
}

void SelectiveEraseInDisplay(int ps)
{
    const int row = Screen.cursorRow;
    const int lastRow = StatusDisplayActive() ? 0 : Screen.pageLength - 1;
    // clang-format off
    switch (ps) {
    case 0:
        EraseUnprotectedCells(row, Screen.cursorColumn, kStoreColumns - Screen.cursorColumn);
        SelectiveEraseRows(row + 1, Screen.pageLength - 1);
        break;
    case 1:
        SelectiveEraseRows(0, row - 1);
        EraseUnprotectedCells(row, Screen.left, Screen.cursorColumn - Screen.left + 1);
        break;
    case 3:
        HomeCursor();
        [[fallthrough]];
    case 2:
        SelectiveEraseRows(0, lastRow);
        break;
    default:
        return;
    }
    // clang-format on
    RepaintScreen();
}

void SelectiveEraseInLine(int ps)
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    switch (ps) {
    case 0:
        EraseUnprotectedCells(row, column, kStoreColumns - column);
        RepaintCursorRowSpan(column, Screen.lastColumn);
        break;
    case 1:
        EraseUnprotectedCells(row, Screen.left, column - Screen.left + 1);
        RepaintCursorRowSpan(Screen.left, column);
        break;
    case 2:
        EraseUnprotectedCells(row, Screen.left, kStoreColumns - Screen.left);
        RepaintCursorRow();
        break;
    default: break;
    }
}

void SetLineAttribute(int which)
{
    if (!VtMode.lrMarginModeOff)
        return;
    ScreenLineRecord* line = CursorLine();
    if (!line)
        return;
    const bool doubleWidth = which == 3 || which == 4 || which == 6;
    LineClearDoubleHeight(line);
    if (which == 1 || which == 3)
        LineSetDoubleHeightTop(line);
    else if (which == 2 || which == 4)
        LineSetDoubleHeightBottom(line);
    if (doubleWidth) {
        LineSetDoubleWidth(line);
        // The right half of a double-width line is never shown: it is blanked, and the
        // cursor moves onto the narrower line.
        const int limit = CursorColumnLimit();
        BlankSpan(Screen.cursorRow, limit + 1, Screen.lastColumn);
    } else {
        LineClearDoubleWidth(line);
    }
    UpdateCursorCellPointer();
    RepaintCursorRow();
}

void SendScreenRowText(int row, bool lineFeed)
{
    ScreenLineRecord* line = Row(row);
    if (!line)
        return;
    u16 units[kStoreColumns + 2];
    int n = 0;
    for (int c = 0; c <= Screen.lastColumn; ++c) {
        const u16 ch = CellRecordToUnicode(line->cells[c]);
        units[n++] = ch ? ch : ' ';
    }
    while (n > 0 && units[n - 1] == ' ')
        --n;
    units[n++] = '\r';
    if (lineFeed)
        units[n++] = '\n';
    HostSendString(units, n);
}

}  // namespace

void ResetTabStops()
{
    FactoryTabStops(Vt300Values.tabstops);
}

bool TabStopAt(int column)
{
    return column >= 0 && column < kTabColumns && TabStops[column] == 'T';
}

void ClearTabCommandFlags()
{
    TabCommandFlags = 0;
}

void CursorTabForward(int count)
{
    if (count < 1)
        count = 1;
    const int limit = TabRightLimit();
    int column = Screen.cursorColumn;
    for (int n = 0; n < count && column < limit; ++n) {
        do
            ++column;
        while (column < limit && !TabStopAt(column));
    }
    if (column > Screen.cursorColumn)
        Screen.cursorColumn = static_cast<i16>(column);
    UpdateCursorCellPointer();
    FollowCursorInView();
}

void CursorTabBackward(int count)
{
    if (count < 1)
        count = 1;
    const int limit = Screen.cursorColumn >= Screen.left ? Screen.left : 0;
    int column = Screen.cursorColumn;
    for (int n = 0; n < count && column > limit; ++n) {
        do
            --column;
        while (column > limit && !TabStopAt(column));
    }
    Screen.cursorColumn = static_cast<i16>(column);
    UpdateCursorCellPointer();
    FollowCursorInView();
}

void CursorUpCommand()
{
    if (NoMarker())
        CursorUp(CountParam(1));
}

void CursorDownCommand()
{
    if (NoMarker())
        CursorDown(CountParam(1));
}

void CursorForwardCommand()
{
    if (NoMarker())
        CursorForward(CountParam(1));
}

void CursorBackwardCommand()
{
    if (NoMarker())
        CursorBackward(CountParam(1));
}

void CursorNextLine()
{
    if (!NoMarker())
        return;
    CarriageReturn();
    CursorDown(CountParam(1));
}

void CursorPrecedingLine()
{
    if (ParamMarker() == '=') {
        SetConsoleColour(true);
        return;
    }
    if (!NoMarker())
        return;
    CarriageReturn();
    CursorUp(CountParam(1));
}

void CursorHorizontalAbsolute()
{
    if (ParamMarker() == '=') {
        SetConsoleColour(false);
        return;
    }
    HorizontalPositionAbsolute();
}

void HorizontalPositionAbsolute()
{
    if (!NoMarker())
        return;
    int column = Param(1) == 0 ? 0 : Param(1) - 1;
    // In origin mode the column counts from the left margin and stays within the
    // margins, as CUP's does: the cursor never ends up left of the margin.
    if (!VtMode.cursorOrigin && LeftRightMarginsNarrow()) {
        column += Screen.left;
        if (column > Screen.right)
            column = Screen.right;
    }
    MoveCursorAbsolute(Screen.cursorRow, column);
}

void HorizontalPositionRelative()
{
    if (NoMarker())
        MoveCursorAbsolute(Screen.cursorRow, Screen.cursorColumn + CountParam(1));
}

void CursorPosition()
{
    if (!NoMarker())
        return;
    const int row = Param(1), column = Param(2);
    MoveCursor(row == 0 ? 0 : row - 1, column == 0 ? 0 : column - 1);
}

void VerticalPositionAbsolute()
{
    if (NoMarker())
        MoveCursor(Param(1) == 0 ? 0 : Param(1) - 1, Screen.cursorColumn);
}

void VerticalPositionRelative()
{
    if (NoMarker())
        MoveCursorAbsolute(Screen.cursorRow + CountParam(1), Screen.cursorColumn);
}

void CursorForwardTabulation()
{
    if (NoMarker())
        CursorTabForward(CountParam(1));
}

void CursorBackwardTabulation()
{
    if (NoMarker())
        CursorTabBackward(CountParam(1));
}

void SetTabStop()
{
    if (Screen.cursorColumn >= 0 && Screen.cursorColumn < kTabColumns)
        TabStops[Screen.cursorColumn] = 'T';
}

void ClearTabStops()
{
    const int p = Param(1);
    if (ParamMarker() == '=') {
        if (p <= 7)
            TabCommandFlags = static_cast<u8>(p);
        return;
    }
    if (!NoMarker())
        return;
    if (p == 0) {
        if (Screen.cursorColumn >= 0 && Screen.cursorColumn < kTabColumns)
            TabStops[Screen.cursorColumn] = ' ';
    } else if (p == 3) {
        for (int c = 0; c < kTabColumns; ++c)
            TabStops[c] = ' ';
    }
}

void EraseDisplayAll()
{
    if (Vt300Values.clrscrnsave && !StatusDisplayActive())
        ClearScreenIntoHistory(Screen.rows);
    else
        ClearLines(0, Screen.rows - 1);
    RepaintScreen();
}

void ClearScreenHome()
{
    HomeCursor();
    ClearLines(0, StatusDisplayActive() ? 0 : Screen.rows - 1);
    RepaintScreen();
}

void EraseBelowCursor()
{
    EraseLineRight();
    EraseRowsBelow();
}

void EraseLineRight()
{
    BlankSpan(Screen.cursorRow, Screen.cursorColumn, kStoreColumns - 1);
    RepaintCursorRowSpan(Screen.cursorColumn, Screen.lastColumn);
}

void EraseInDisplay()
{
    const int ps = Param(1);
    if (VtLocalEditing() && (ParamMarker() == ' ' || ParamMarker() == '?')) {
        EditEraseInDisplay(ps, ParamMarker() == '?');
        return;
    }
    if (ParamMarker() == '?') {
        SelectiveEraseInDisplay(ps);
        return;
    }
    if (!NoMarker())
        return;
    // clang-format off
    switch (ps) {
    case 0:
        if (Screen.cursorRow != 0 || Screen.cursorColumn != 0 || StatusDisplayActive()) {
            EraseBelowCursor();
            RepaintCursorRow();
        } else {
            EraseDisplayAll();
        }
        break;
    case 1:
        EraseAbove();
        break;
    case 3:
        HomeCursor();
        [[fallthrough]];
    case 2:
        if (StatusDisplayActive()) {
            ClearLines(0, 0);
            RepaintCursorRow();
        } else {
            EraseDisplayAll();
        }
        break;
    default:
        RepaintCursorRow();
        break;
    }
    // clang-format on
}

void EraseInLine()
{
    const int ps = Param(1);
    if (VtLocalEditing() && (ParamMarker() == ' ' || ParamMarker() == '?')) {
        EditEraseInLine(ps, ParamMarker() == '?');
        return;
    }
    if (ParamMarker() == '?') {
        SelectiveEraseInLine(ps);
        return;
    }
    if (!NoMarker())
        return;
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    switch (ps) {
    case 0: EraseLineRight(); break;
    case 1:
        BlankSpan(row, Screen.left, column);
        RepaintCursorRowSpan(Screen.left, column);
        break;
    case 2:
        BlankSpan(row, Screen.left, kStoreColumns - 1);
        RepaintCursorRow();
        break;
    default: break;
    }
}

void EraseUnprotectedCells(int row, int column, int n)
{
    ScreenLineRecord* line = Row(row);
    if (!line || column < 0 || column >= kStoreColumns || n < 1)
        return;
    const int end = column + n > kStoreColumns ? kStoreColumns : column + n;
    for (int c = column; c < end; ++c)
        if (!(line->cells[c].rendition & kRendProtected))
            line->cells[c].ch = ' ';
}

void EraseCharactersCommand()
{
    if (!NoMarker())
        return;
    if (VtLocalEditing()) {
        EditEraseCharacters(CountParam(1));
        return;
    }
    const int column = Screen.cursorColumn;
    int n = CountParam(1);
    // The erase stays on the cursor's line.
    const int room = CursorColumnLimit() - column + 1;
    if (n > room)
        n = room;
    if (n > 0)
        EraseCharacters(column, n);
}

void InsertCharactersCommand()
{
    if (NoMarker())
        InsertCharacters(CountParam(1));
}

void DeleteCharactersCommand()
{
    if (NoMarker())
        DeleteCharacters(CountParam(1));
}

void InsertLinesCommand()
{
    if (NoMarker())
        InsertLines(CountParam(1));
}

void DeleteLinesCommand()
{
    if (NoMarker())
        DeleteLines(CountParam(1));
}

void ScrollUpCommand()
{
    if (NoMarker())
        ScrollUpLines(CountParam(1));
}

void ScrollDownCommand()
{
    if (NoMarker())
        ScrollDownLines(CountParam(1));
}

void SetScrollRegion()
{
    if (NoMarker())
        SetTopBottomMargins(Param(1), Param(2));
}

void SetLeftRightMarginsCommand()
{
    if (NoMarker() && !VtMode.lrMarginModeOff)
        SetLeftRightMargins(Param(1), Param(2));
}

// clang-format off
void SetLineSingleWidthTop() { SetLineAttribute(1); }
void SetLineSingleWidthBottom() { SetLineAttribute(2); }
void SetLineDoubleTop() { SetLineAttribute(3); }
void SetLineDoubleBottom() { SetLineAttribute(4); }
void SetLineSingleWidth() { SetLineAttribute(5); }
void SetLineDoubleWidth() { SetLineAttribute(6); }
// clang-format on

void MediaCopy()
{
    if (!CheckPrinterAvailable())
        return;
    const int p = Param(1);
    switch (ParamMarker()) {
    case ' ':
        switch (p) {
        case 0: PostMainCommand(kCmdPrintScreen); break;
        case 2:
            for (int row = 0; row < Screen.rows; ++row)
                SendScreenRowText(row, true);
            break;
        case 4: StopPrinting(); break;
        case 5:
            if (CurrentPrintMode() == 0)
                StartPrinterController();
            break;
        case 6: StopPassThroughPrint(); break;
        case 7: StartPassThroughPrint(); break;
        default: break;
        }
        break;
    case '?':
        switch (p) {
        case 1: PrintCursorLine(); break;
        case 3: SendScreenRowText(Screen.cursorRow, false); break;
        case 4:
            if (AutoPrintOn())
                StopPrinting();
            break;
        case 5:
            if (CurrentPrintMode() == 0)
                StartAutoPrint();
            break;
        default: break;
        }
        break;
    case '>':
        if (p == 5 || p == 15)
            SkipToNextEscape();
        break;
    default: break;
    }
}

void NextLine()
{
    IndexDown();
    CarriageReturn();
}

void Vt52CursorAddress()
{
    const int row = NextSequenceByte();
    if (row == 0)
        return;
    const int column = NextSequenceByte();
    if (column == 0)
        return;
    MoveCursor(row - 32, column - 32);
}

// clang-format off
void Vt52CursorUp() { CursorUp(1); }
void Vt52CursorDown() { CursorDown(1); }
void Vt52CursorRight() { CursorForward(1); }
// clang-format on

void CursorBackOne()
{
    CursorBackward(1);
}

void Vt52Home()
{
    HomeCursor();
}
