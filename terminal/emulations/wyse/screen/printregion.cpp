#include "terminal/emulations/wyse/screen/printregion.h"

#include "terminal/comms/printing/printing.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/screen/screensend.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

// Steps of a print-screen or print-page run: the lines and where the run ends.
int g_firstLine = 0, g_lastLine = -1;
bool g_pageRun = false;

int LineLast(const ScreenLineRecord* line)
{
    return (WyseLineAttribute(line) & kWyDoubleWidth) ? (WyStore.columnsLast + 1) / 2 - 1 : WyStore.columnsLast;
}

// A cell as the printer gets it: its character, or the glyph it shows.
void PrintCell(const ScreenCell& cell)
{
    if (!WyStore.attrMode60 && (cell.rendition & kWyAttrCell)) {
        PrintChar(' ');
        return;
    }
    const u16 u = WyseCellUnicode(cell.ch, cell.flags);
    PrintChar(u == 0 ? ' ' : u);
}

void PrintCells(const ScreenLineRecord* line, int last)
{
    for (int c = 0; c <= last && c < kWyseCells; ++c)
        PrintCell(line->cells[c]);
}

// A print that is not part of a running controller job opens one for itself.
bool OpenPrinter()
{
    const int mode = CurrentPrintMode();
    if (mode == 2 || mode == 6)
        return false;
    StartPrinterController();
    return true;
}

void ClosePrinter(bool opened)
{
    if (opened)
        StopPrinting();
}

}  // namespace

void WysePrintLineText(const ScreenLineRecord* line)
{
    if (!line)
        return;
    PrintCells(line, LineLast(line));
    PrintChar(0x0D);
    PrintChar(0x0A);
}

void WysePrintCursorLine()
{
    const bool opened = OpenPrinter();
    WysePrintLineText(WyLine(WyStore.cursorLine));
    ClosePrinter(opened);
}

void WysePrintRegion(bool crLfAlways)
{
    const WyseStoreState& s = WyStore;
    const int first = WyseSendStartLine();
    if (first > s.cursorLine)
        return;
    WyMode.printing = 1;
    const bool opened = OpenPrinter();
    for (int l = first; l <= s.cursorLine; ++l) {
        const ScreenLineRecord* line = WyLine(l);
        if (!line)
            break;
        const int lineLast = LineLast(line);
        const bool cut = l == s.cursorLine && s.cursorColumn < lineLast;
        PrintCells(line, l == s.cursorLine ? s.cursorColumn : lineLast);
        if (crLfAlways || cut) {
            PrintChar(0x0D);
            PrintChar(0x0A);
        }
    }
    ClosePrinter(opened);
    WyMode.printing = 0;
}

void WyseStartPrintScreen()
{
    g_pageRun = false;
    g_firstLine = 1;
    g_lastLine = WyStore.displaySize;
    StartPrintScreen();
}

void WyseStartPrintBuffer()
{
    g_pageRun = true;
    g_firstLine = WyStore.regionFirst;
    g_lastLine = WyStore.regionLast;
    StartPrintScreen();
}

void WysePrintScreenStep(u32 step)
{
    const int n = g_firstLine + static_cast<int>(step);
    const ScreenLineRecord* line = nullptr;
    if (WyseStoreActive() && n <= g_lastLine)
        line = g_pageRun ? WyLine(n) : (n < kWyseScreenRows ? WyStore.row[n] : nullptr);
    PrintScreenLineRecord(line, step + 1);
}
