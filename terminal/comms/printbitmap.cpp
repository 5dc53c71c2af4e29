// Print screen as a picture (command 1040): the terminal window's client area copied
// into a bitmap and stretched onto one page; the text method hands over to the text
// print screen (command 1109).
#include "terminal/comms/printjob.h"
#include "terminal/comms/printing.h"
#include "terminal/core/frame/commandids.h"
#include "terminal/core/frame/mainwindow.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/frame/screenwindow.h"
#include "terminal/core/frame/uiservices.h"
#include "terminal/settings/profilevalues.h"

namespace {

constexpr u32 kMethodGraphics = 1110;
constexpr u32 kStrNoGraphicsMemory = 7124;  // "No Memory for Graphics Printing"
constexpr u32 kStrNoGraphics = 7125;        // "Unable to Print Graphics Image on this printer"
constexpr u32 kStrPrinterError = 7126;      // "General Printer Error"

// Where the picture goes on the page: fitted to the page (or in the printer's own
// pixels), scaled, centred or at the top left.
RECT PagePlacement(const RECT& bitmap)
{
    const PrintingSection& p = PrintingValues;
    const long bw = bitmap.right - bitmap.left, bh = bitmap.bottom - bitmap.top;
    long width = bw, height = bh;
    if (!p.bUsePrintResolution && bw > 0 && bh > 0) {
        const long pw = PrintJob.pageWidth, ph = PrintJob.pageHeight;
        height = bh * pw / bw;
        if (height >= ph) {
            height = ph;
            width = bw * ph / bh;
        } else {
            width = pw;
        }
    }
    if (p.ScaleFactor != 100 && p.ScaleFactor > 0) {
        width = width * static_cast<long>(p.ScaleFactor) / 100;
        height = height * static_cast<long>(p.ScaleFactor) / 100;
    }
    RECT r{0, 0, width, height};
    if (p.bCentrePrint)
        OffsetRect(&r, (PrintJob.pageWidth - width) / 2, (PrintJob.pageHeight - height) / 2);
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

}  // namespace

void PrintScreenBitmap(int)
{
    // A network printer takes text only; so does the text method.
    if (PrintingValues.ViaLPR || PrintingValues.PrintMode != kMethodGraphics) {
        PostMainCommand(kCmdPrintScreen);
        return;
    }
    HWND window = ScreenWindowHandle;
    if (!window)
        return;
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = bitmap ? SelectObject(memory, bitmap) : nullptr;
    if (bitmap)
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    PrintBitmapPage(memory, bitmap, client);
    if (old)
        SelectObject(memory, old);
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
}
