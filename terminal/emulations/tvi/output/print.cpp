// Printing from the byte path (copy print, transparent print, DC2 print) and the print
// page command, whose end the host hears as the print-complete answer.
#include <atomic>

#include "terminal/comms/printing/printing.h"
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

bool g_printerOpen = false;
std::atomic<bool> g_pageDone{false};

// The printable form of a cell: graphics as their nearest ASCII.
u8 PrintCharacter(const ScreenCell& cell)
{
    const u8 ch = cell.ch;
    if (ch == 0 || (cell.rendition & (kTviInvisible | kTviAttrStart)))
        return ' ';
    if (ch >= 128 && ch < 160) {
        if (ch == 138)
            return '|';
        if (ch == 139)
            return '-';
        return (ch >= 133 && ch <= 143) ? '+' : ' ';
    }
    return ch < 32 ? ' ' : ch;
}

}  // namespace

void TviStartPrint(u8 kind)
{
    if (Tvi.printKind != kTviPrintNone || PrintingInProgress())
        return;
    StartPrinterController();
    g_printerOpen = true;
    Tvi.printKind = kind;
}

void TviEndPrint()
{
    if (Tvi.printKind == kTviPrintNone)
        return;
    Tvi.printKind = kTviPrintNone;
    if (g_printerOpen)
        StopPrinting();
    g_printerOpen = false;
}

void TviEndPrintForStop()
{
    TviEndPrint();
}

void TviPrintByte(u8 byte)
{
    PrintChar(byte);
}

void TviPrintPage(u8 first, u8 second)
{
    Tvi.printOptions[0] = first;
    Tvi.printOptions[1] = second;
    Tvi.pagePrinting = true;
    TviShowPrintField(true);
    PostMainCommand(kCmdPrintScreen);
}

void TviPrintPageRows()
{
    if (!Tvi.active || !TviLinesAllocated()) {
        g_pageDone = true;
        return;
    }
    if (!PrintingInProgress() && CheckPrinterAvailable()) {
        StartPrinterController();
        for (int r = 0; r < Tvi.set.rowsPerPage; ++r) {
            const TviLine* line = TviLineAt(r);
            int end = -1;
            for (int c = 0; c <= Tvi.set.lastColumn; ++c)
                if (PrintCharacter(line->cells[c]) != ' ')
                    end = c;
            for (int c = 0; c <= end; ++c)
                PrintChar(PrintCharacter(line->cells[c]));
            PrintChar('\r');
            PrintChar('\n');
        }
        StopPrinting();
    }
    g_pageDone = true;
}

void TviPrintFinished()
{
    if (!g_pageDone.exchange(false) || !Tvi.pagePrinting)
        return;
    Tvi.pagePrinting = false;
    TviShowPrintField(false);
    if (Tvi.set.pageTerms[0]) {
        const u16 units[2] = {Tvi.set.pageTerms[0], Tvi.set.pageTerms[1]};
        HostSendBlock(units, units[1] ? 2 : 1);
    }
}
