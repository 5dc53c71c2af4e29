// The control sequences of the ANSI console family. Every operation first looks at the
// marker in force: the plain forms need none, the private ones '=' or '?'; any other
// marker (a malformed number among them) does nothing.
//
// The consoles' hosts drive the cursor, erase, insert, delete and scroll commands
// through the terminfo entries of all three consoles ("ansi", "scoansi", "at386"),
// which use them alike: those commands are the same in all three.
#include "terminal/emulations/dec/ansi/ansiconsole.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/controls/cursorcmds.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {

bool Plain()
{
    return ParamMarker() == ' ';
}

int LastColumn()
{
    return Screen.lastColumn;
}

// Cursor to a column of its row, origin mode aside.
void CursorToColumn(int column)
{
    MoveCursorAbsolute(Screen.cursorRow, column);
}

void EraseInDisplay(int n)
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    const int last = Screen.pageLength - 1;
    switch (n) {
    case 0:
        if (row == 0 && column == 0 && !StatusDisplayActive()) {
            ClearLines(0, last);
            ScoColourEraseRows(0, last);
        } else {
            EraseCharacters(column, LastColumn() - column + 1);
            ScoColourEraseCells(row, column, LastColumn());
            if (row < last) {
                ClearLines(row + 1, last);
                ScoColourEraseRows(row + 1, last);
            }
            MoveCursorAbsolute(row, column);
        }
        break;
    case 1:
        if (row > 0) {
            ClearLines(0, row - 1);
            ScoColourEraseRows(0, row - 1);
        }
        EraseCharacters(0, column + 1);
        ScoColourEraseCells(row, 0, column);
        MoveCursorAbsolute(row, column);
        break;
    case 2:
    case 3:
        ClearScreenHome();
        ScoColourEraseRows(0, last);
        break;
    default: return;
    }
    RepaintScreen();
}

void EraseInLineWithColour(int n)
{
    const int column = Screen.cursorColumn;
    EraseInLine();
    switch (n) {
    case 0: ScoColourEraseCells(Screen.cursorRow, column, LastColumn()); break;
    case 1: ScoColourEraseCells(Screen.cursorRow, 0, column); break;
    case 2: ScoColourEraseCells(Screen.cursorRow, 0, LastColumn()); break;
    default: return;
    }
    RepaintCursorRow();
}

void InsertBlanks(int n)
{
    const int column = Screen.cursorColumn;
    InsertCharacters(n);
    ScoColourEraseCells(Screen.cursorRow, column, column + n - 1);
    RepaintRowSpan(Screen.cursorRow, column, LastColumn());
}

void DeleteChars(int n)
{
    DeleteCharacters(n);
    ScoColourEraseCells(Screen.cursorRow, LastColumn() - n + 1, LastColumn());
    RepaintRowSpan(Screen.cursorRow, Screen.cursorColumn, LastColumn());
}

void EraseChars(int n)
{
    const int column = Screen.cursorColumn;
    if (n > LastColumn() - column + 1)
        n = LastColumn() - column + 1;
    if (n <= 0)
        return;
    EraseCharacters(column, n);
    ScoColourEraseCells(Screen.cursorRow, column, column + n - 1);
    RepaintRowSpan(Screen.cursorRow, column, column + n - 1);
}

// Lines are inserted and deleted within the scroll region; the cursor then goes to the
// left margin, as the consoles do.
void InsertOrDeleteLines(int n, bool insert)
{
    const int row = Screen.cursorRow;
    if (insert) {
        InsertLines(n);
        ScoColourEraseRows(row, row + n - 1);
    } else {
        DeleteLines(n);
        ScoColourEraseRows(Screen.bottom - n + 1, Screen.bottom);
    }
    CarriageReturn();
}

// Scrolling the region by the delete and insert operations at its top.
void ScrollLines(int n, bool up)
{
    const int row = Screen.cursorRow, column = Screen.cursorColumn;
    if (up) {
        ScrollUpLines(n);
        ScoColourEraseRows(Screen.bottom - n + 1, Screen.bottom);
    } else {
        ScrollDownLines(n);
        ScoColourEraseRows(Screen.top, Screen.top + n - 1);
    }
    MoveCursorAbsolute(row, column);
    RepaintScreen();
}

// The video modes of CSI = p h: 40 or 80 columns, each clearing the screen.
void SetVideoModes()
{
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (p == 0 || p == 1)
            AnsiConsoleMode = 2;
        else if (p == 2 || p == 3)
            AnsiConsoleMode = 1;
        if (p <= 6) {
            HomeCursor();
            ClearLines(0, Screen.pageLength - 1);
            RepaintScreen();
        } else if (p == 7) {
            VtMode.autoWrap = 1;
        }
    }
}

void SetOrResetModes(bool set)
{
    const int p = Param(1);
    switch (ParamMarker()) {
    case ' ':
        if (p == 2)
            set ? LockKeyboard() : UnlockKeyboard();
        break;
    case '=':
        if (set)
            SetVideoModes();
        else if (p == 7)
            VtMode.autoWrap = 0;
        break;
    case '?':
        if (p == 3)
            set ? SetColumns132() : SetColumns80();
        else if (p == 7)
            VtMode.autoWrap = set ? 1 : 0;
        break;
    default: break;
    }
}

// CSI g: a graphic character (SCO) or clearing tab stops.
void GraphicCharOrTabClear()
{
    const bool graphic = ParamMarker() == '=' || (Plain() && AnsiConsole.graphicChars);
    if (graphic) {
        if (!IsScoConsole())
            return;
        for (int i = 1; i <= ParamCount(); ++i)
            if (Param(i) <= 255)
                HostSendRawByte(static_cast<u8>(Param(i)));
        // Shown as received data once this sequence is over (the stack gives them back
        // last first): processing them here, inside the sequence, would let an ESC nest
        // parsers without end.
        for (int i = ParamCount(); i >= 1; --i)
            if (Param(i) <= 255)
                PushHostByte(static_cast<u16>(Param(i)));
        return;
    }
    if (!Plain())
        return;
    const int p = Param(1);
    if (p == 0 || p == 3)
        ClearTabStops();
}

void DeviceStatus()
{
    if (Plain() && Param(1) == 5) {
        SendReport(VXT("\x1b[0n"));
        return;
    }
    if (ParamMarker() == '?' && Param(1) == 25) {
        SendReport(VXT("\x1b[?20n"));
        return;
    }
    if ((Plain() && Param(1) == 6) || ParamMarker() == '?')
        DeviceStatusReport();
}

}  // namespace

void AnsiCsiFinal()
{
    const u8 marker = ParamMarker();
    if (marker != ' ' && marker != '=' && marker != '?')
        return;
    const bool plain = marker == ' ', eq = marker == '=';
    const bool sco = IsScoConsole();
    const int n = CountParam(1);
    // clang-format off
    switch (CurrentByte()) {
    case '@': if (plain) InsertBlanks(n); break;
    case 'A': if (plain) CursorUp(n); break;
    case 'B': if (plain) CursorDown(n); break;
    case 'C': if (plain) CursorForward(n); break;
    case 'D': if (plain) CursorBackward(n); break;
    case 'E':
        if (plain) {
            CarriageReturn();
            CursorDown(n);
        }
        break;
    case 'F':
        if (plain) {
            CarriageReturn();
            CursorUp(n);
        } else if (eq) {
            AnsiSetConsoleColours(true);
        }
        break;
    case 'G':
        if (plain)
            CursorToColumn(n - 1);
        else if (eq)
            AnsiSetConsoleColours(false);
        break;
    case 'H':
    case 'f':
        if (plain)
            MoveCursor(n - 1, CountParam(2) - 1);
        break;
    case 'I': if (plain) CursorTabForward(n); break;
    case 'J':
        if (plain)
            EraseInDisplay(Param(1));
        else if (eq && sco)
            AnsiSetConsoleColours(true);
        break;
    case 'K':
        if (plain)
            EraseInLineWithColour(Param(1));
        else if (eq && sco)
            AnsiSetConsoleColours(false);
        break;
    case 'L':
        if (plain) {
            InsertOrDeleteLines(n, true);
        } else if (eq && sco) {
            switch (Param(1)) {
            case 0: AnsiConsole.colourErase = 1; break;
            case 1: AnsiConsole.colourErase = 0; break;
            case 2: AnsiConsole.graphicChars = 1; break;
            case 3: AnsiConsole.graphicChars = 0; break;
            default: break;
            }
        }
        break;
    case 'M':
        if (plain)
            InsertOrDeleteLines(n, false);
        else if (eq && sco)
            ScoReportColours();
        break;
    case 'P': if (plain) DeleteChars(n); break;
    case 'S': if (plain) ScrollLines(n, true); break;
    case 'T': if (plain) ScrollLines(n, false); break;
    case 'X': if (plain) EraseChars(n); break;
    case 'Z': if (plain) CursorTabBackward(n); break;
    case '`': if (plain) CursorToColumn(n - 1); break;
    case 'a': if (plain) CursorToColumn(Screen.cursorColumn + n); break;
    case 'd': if (plain) MoveCursor(n - 1, Screen.cursorColumn); break;
    case 'e': if (plain) MoveCursorAbsolute(Screen.cursorRow + n, Screen.cursorColumn); break;
    case 'g': GraphicCharOrTabClear(); break;
    case 'h': SetOrResetModes(true); break;
    case 'l': SetOrResetModes(false); break;
    case 'i':
        ScoPrintAllScreens(marker == '?' && Param(1) == 11);
        if (plain || (marker == '?' && Param(1) != 11))
            MediaCopy();
        break;
    case 'm': if (plain) AnsiSelectGraphicRendition(); break;
    case 'n': DeviceStatus(); break;
    case 'p': AnsiRedefineKey(); break;
    case 's': if (plain) SaveCursorState(); break;
    case 'u': if (plain) RestoreCursorState(); break;
    case 'z':
        if (plain && sco)
            ScoSwitchVirtualScreen(n - 1);
        break;
    default:
        break;
    }
    // clang-format on
}
