#include "terminal/emulations/ibm3151/output/print3151.h"

#include "terminal/comms/printing/printing.h"
#include "terminal/emulations/ibm3151/charsets.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

namespace {

// The printer output the pass-through, the trace or the auxiliary setting opened.
bool g_passOutput = false;

// The printable form of a line-drawing cell: the box pieces as their nearest ASCII.
u8 LineCharacter(u8 code)
{
    switch (code & 0x7F) {
    case 'j':
    case 'k':
    case 'l':
    case 'm':
    case 'n':
    case 't':
    case 'u':
    case 'v':
    case 'w': return '+';
    case 'q': return '-';
    case 'x': return '|';
    default: return ' ';
    }
}

bool BeginRun()
{
    if (I3151.printing || PrintingInProgress() || !CheckPrinterAvailable())
        return false;
    StartPrinterController();
    I3151.printing = true;
    I3151UpdateIndicators(true);
    return true;
}

void EndRun()
{
    I3151.printing = false;
    I3151UpdateIndicators(true);
    StopPrinting();
}

// A row up to its last non-blank cell (or up to `lastColumn`), then CR LF.
void PrintRow(I3151PageRecord* page, int row, int lastColumn)
{
    const I3151Row* line = I3151PageRow(page, row);
    if (!line)
        return;
    int end = -1;
    for (int c = 0; c <= lastColumn; ++c) {
        const ScreenCell& cell = line->cells[c];
        if (cell.ch != 0 && cell.ch != ' ' && !I3151IsAttributeCell(cell) && !(cell.rendition & kI51Invisible))
            end = c;
    }
    for (int c = 0; c <= end; ++c) {
        const ScreenCell& cell = line->cells[c];
        u8 ch = cell.ch;
        if (ch == 0 || I3151IsAttributeCell(cell) || (cell.rendition & kI51Invisible))
            ch = ' ';
        else if ((cell.flags & kI51GlyphMask) == kI51GlyphLines)
            ch = LineCharacter(ch);
        else if (ch < 32)
            ch = ' ';
        PrintChar(ch);
    }
    PrintChar('\r');
    PrintChar('\n');
}

}  // namespace

void I3151PrintPage(I3151PageRecord* page)
{
    if (!BeginRun())
        return;
    for (int r = 0; r <= page->lastRowIndex; ++r)
        PrintRow(page, r, I3151.lastColumn);
    EndRun();
}

void I3151PrintAll()
{
    if (!BeginRun())
        return;
    for (int p = 0; p < I3151.pageCount; ++p) {
        I3151PageRecord* page = I3151GetPage(p);
        for (int r = 0; r <= page->lastRowIndex; ++r)
            PrintRow(page, r, I3151.lastColumn);
    }
    EndRun();
}

void I3151PrintLine(I3151PageRecord* page, int row)
{
    if (!BeginRun())
        return;
    PrintRow(page, row, I3151.lastColumn);
    EndRun();
}

void I3151PrintMessage(I3151PageRecord* page)
{
    const int cursorRow = I3151WriteRow(page), cursorColumn = I3151WriteColumn(page);
    int markRow = -1, markColumn = -1;
    bool marker = I3151FindStartOfMessage(page, &markRow, &markColumn);
    if (marker && !I3151IsPageFormatted(page) &&
        (markRow > cursorRow || (markRow == cursorRow && markColumn >= cursorColumn)))
        marker = false;
    if (!BeginRun())
        return;
    for (int r = marker ? markRow + 1 : 0; r < cursorRow; ++r)
        PrintRow(page, r, I3151.lastColumn);
    if (cursorColumn > 0)
        PrintRow(page, cursorRow, cursorColumn - 1);
    EndRun();
}

void I3151StartPrinting()
{
    if (g_passOutput || PrintingInProgress())
        return;
    StartPrinterController();
    g_passOutput = true;
}

void I3151StopPrinting()
{
    if (!g_passOutput || I3151.passThrough > 0 || I3151.trace || (I3151.setup[13] & 0x04))
        return;
    g_passOutput = false;
    StopPrinting();
}

void I3151PrintByte(u8 byte)
{
    PrintChar(byte);
}

void I3151EndPrinting()
{
    if (g_passOutput)
        StopPrinting();
    g_passOutput = false;
}
