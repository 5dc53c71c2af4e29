// Print screen as a picture (command 1040): the terminal window's client area copied
// into a bitmap and stretched onto one page; the text method hands over to the text
// print screen (command 1109). From the menu the Print Screen dialog asks for the
// method first; the DEC Print Screen key prints by the PRINTING values.
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/cursors.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/window/selection/monoreduce.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

// The picture's colours as the dialog last chose them (iPrintImage): the key's print
// screen, which asks nothing, prints them the same way.
u32 g_imageChoice = 0;
constexpr u32 kStrNoGraphicsMemory = 7124;  // "No Memory for Graphics Printing"
constexpr u32 kStrNoGraphics = 7125;        // "Unable to Print Graphics Image on this printer"
constexpr u32 kStrPrinterError = 7126;      // "General Printer Error"

// Where the picture goes on the page: fitted to the page (or in the printer's own
// pixels), scaled, centred or at the top left.
RECT PagePlacement(const RECT& bitmap)
{
    const PrintingSection& p = PrintingValues;
    // Wide enough for a page of the largest scale the dialog takes.
    const long long bw = bitmap.right - bitmap.left, bh = bitmap.bottom - bitmap.top;
    long long width = bw, height = bh;
    if (!p.bUsePrintResolution && bw > 0 && bh > 0) {
        const long long pw = PrintJob.pageWidth, ph = PrintJob.pageHeight;
        height = bh * pw / bw;
        if (height >= ph) {
            height = ph;
            width = bw * ph / bh;
        } else {
            width = pw;
        }
    }
    if (p.ScaleFactor != 100 && p.ScaleFactor > 0) {
        width = width * p.ScaleFactor / 100;
        height = height * p.ScaleFactor / 100;
    }
    constexpr long long kMost = 0x3FFFFFFF;
    RECT r{0, 0, static_cast<LONG>(width < kMost ? width : kMost),
           static_cast<LONG>(height < kMost ? height : kMost)};
    if (p.bCentrePrint)
        OffsetRect(&r, (PrintJob.pageWidth - r.right) / 2, (PrintJob.pageHeight - r.bottom) / 2);
    return r;
}

void PrintBitmapPage(HDC memory, HBITMAP bitmap, const RECT& rect)
{
    PrintLockGuard lock;
    if (PrintJob.delayed)
        ClosePrintJob();
    HCURSOR previous = SetCursor(WaitCursor);
    EnableMainWindowForPrinting(false);
    const bool opened = OpenPrinterOutput() != 0;
    SetCursor(previous);
    if (!opened || !PrintJob.dc || !PrintJob.bitmapCapable) {
        ShowPrintMessage(kStrNoGraphics);
        StopPrinting();
        return;
    }
    if (!bitmap) {
        ShowPrintMessage(kStrNoGraphicsMemory);
        StopPrinting();
        return;
    }
    if (!ShowAbortDialog()) {
        StopPrinting();
        return;
    }
    SetAbortProc(PrintJob.dc, PrintAbortProc);
    if (!StartPrintJob(1))
        return;
    PrintAbortProc(PrintJob.dc, 0);
    const RECT page = PagePlacement(rect);
    if (!StretchBlt(PrintJob.dc, page.left, page.top, page.right - page.left, page.bottom - page.top, memory,
                    rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SRCCOPY)) {
        PrintJob.cancelled = 0;
        FinishGraphicsJob(1);
        return;
    }
    if (EndPage(PrintJob.dc) < 1 && !PrintJob.cancelled)
        ShowPrintMessage(kStrPrinterError);
    FinishGraphicsJob(1);
}

// Reduces the picture as the image choice says: 1 black and white exchanged, 2 black
// and white only, 3 black and white only and exchanged.
void ReduceForPrint(HDC memory, int width, int height, u32 choice)
{
    switch (choice) {
    case 1: ReduceBitmapToMono(memory, width, height); break;
    case 2: ReduceBitmapToMonoInverse(memory, width, height, false); break;
    case 3: ReduceBitmapToMonoInverse(memory, width, height, true); break;
    default: break;
    }
}

}  // namespace

void PrintScreenBitmap(bool imageChosenNow)
{
    HWND window = ScreenWindowHandle;
    if (!window)
        return;
    if (PrintingValues.PrintMode != kPrintMethodGraphics) {
        PostMainCommand(kCmdPrintScreen);
        return;
    }
    if (imageChosenNow)
        g_imageChoice = PrintingValues.iPrintImage;
    // Repainted whole first: the dialog lay over it a moment ago.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = bitmap ? SelectObject(memory, bitmap) : nullptr;
    if (bitmap) {
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReduceForPrint(memory, client.right, client.bottom, g_imageChoice);
    }
    ReleaseDC(window, screen);
    PrintBitmapPage(memory, bitmap, client);
    if (old)
        SelectObject(memory, old);
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
}
