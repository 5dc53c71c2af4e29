// Printed characters on the Windows printer: the printer font and page measures, and
// the line assembler's output, either the printer's own bytes (a RAW spooler job or a
// PostScript channel) or GDI text lines on pages.
#include <algorithm>
#include <vector>

#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kPrinterPoints10 = 110;  // 11 points

// Sleeps while a printer keeps its line, serving the user-interface thread's messages
// when this is that thread, so the abort dialog's Cancel can be pressed.
void WaitAWhile()
{
    PrintLockRelease release;
    MSG msg;
    for (int i = 0; i < 5; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!PrintJob.abortDialog || !IsDialogMessageW(PrintJob.abortDialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(10);
    }
}

class WindowsPrinterLine : public PrintLineOutput {
public:
    bool Ready() override { return CheckSpoolerStatus() != 0; }

    bool WaitForPrinter() override
    {
        WaitAWhile();
        return PrintJob.cancelled == 0 && PrintJob.stopRequested == 0 && (PrintJob.dc || PrintJob.rawPrinter);
    }

    void WriteRaw(const u16* units, int n) override
    {
        std::vector<char> bytes(static_cast<std::size_t>(n) + 2);
        for (int i = 0; i < n; ++i)
            bytes[static_cast<std::size_t>(i) + 2] = static_cast<char>(units[i]);
        if (PrintJob.channelOpen && PrintJob.dc) {
            // A PostScript channel takes a 16-bit little-endian count, then the bytes.
            bytes[0] = static_cast<char>(n & 0xFF);
            bytes[1] = static_cast<char>((n >> 8) & 0xFF);
            ExtEscape(PrintJob.dc, POSTSCRIPT_PASSTHROUGH, n + 2, bytes.data(), 0, nullptr);
        } else if (PrintJob.rawPrinter) {
            DWORD written = 0;
            WritePrinter(PrintJob.rawPrinter, bytes.data() + 2, static_cast<DWORD>(n), &written);
        }
    }

    int DrawLine(const u16* text, int n, int line) override
    {
        HDC dc = PrintJob.dc;
        if (!dc)
            return n;
        const auto* w = reinterpret_cast<const wchar_t*>(text);
        int fit = n;
        SIZE size{};
        GetTextExtentPoint32W(dc, w, fit, &size);
        while (fit > 2 && size.cx > PrintJob.pageWidth) {
            --fit;
            GetTextExtentPoint32W(dc, w, fit, &size);
        }
        const int y = line * PrintJob.lineHeight;
        RECT clip{0, y, size.cx, y + PrintJob.lineHeight};
        ExtTextOutW(dc, 0, y, ETO_CLIPPED, &clip, w, static_cast<UINT>(fit), nullptr);
        return fit;
    }

    bool NewPage() override
    {
        HDC dc = PrintJob.dc;
        if (!dc || PrintJob.cancelled || EndPage(dc) <= 0 || StartPage(dc) <= 0)
            return false;
        // Some drivers reset the device context with every page.
        if (PrintJob.font)
            SelectObject(dc, PrintJob.font);
        return !PrintJob.cancelled;
    }
};

WindowsPrinterLine g_output;

PrintLineMode LineMode()
{
    PrintLineMode mode;
    mode.raw = PrintJob.rawPageOpen || PrintJob.channelOpen;
    mode.controllerAutoLf = CurrentPrintMode() == 2 && PrintingValues.AutoLF;
    mode.autoWrap = PrintingValues.bPrtAutoWrap != 0;
    return mode;
}

}  // namespace

void SelectPrinterFont()
{
    HDC dc = PrintJob.dc;
    if (!dc)
        return;
    RestorePrinterFont();
    LOGFONTW lf;
    FillTerminalLogFont(&lf, -MulDiv(kPrinterPoints10, GetDeviceCaps(dc, LOGPIXELSY), 720), 0, false);
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    PrintJob.font = CreateFontIndirectW(&lf);
    if (PrintJob.font)
        PrintJob.previousFont = static_cast<HFONT>(SelectObject(dc, PrintJob.font));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    PrintJob.lineHeight = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
    PrintJob.charWidth = tm.tmAveCharWidth;
    PrintJob.pageWidth = GetDeviceCaps(dc, HORZRES);
    PrintJob.pageHeight = GetDeviceCaps(dc, VERTRES);
    PrintJob.bitmapCapable = (GetDeviceCaps(dc, RASTERCAPS) & RC_BITBLT) ? 1 : 0;
    ConfigurePrintLine();
}

void ConfigurePrintLine()
{
    const int lines = PrintJob.lineHeight > 0 ? PrintJob.pageHeight / PrintJob.lineHeight - 1 : 1;
    PrintJob.line.Start(lines);
}

void RestorePrinterFont()
{
    if (PrintJob.dc && PrintJob.previousFont)
        SelectObject(PrintJob.dc, PrintJob.previousFont);
    if (PrintJob.font)
        DeleteObject(PrintJob.font);
    PrintJob.font = nullptr;
    PrintJob.previousFont = nullptr;
}

void PrintBufferChar(u16 c)
{
    PrintLockGuard lock;
    if (PrintJob.cancelled || !(PrintJob.dc || PrintJob.rawPageOpen))
        return;
    PrintJob.line.PutChar(c, LineMode(), g_output);
    if (PrintJob.line.TakeFailure())
        FinishPrintJob(1);
}

void FlushPrintLine()
{
    PrintLockGuard lock;
    if (PrintJob.line.Pending() == 0 || ByteOutput() || !(PrintJob.dc || PrintJob.rawPageOpen))
        return;
    PrintJob.line.Flush(LineMode(), g_output);
}

bool AdvancePrinterPage()
{
    return g_output.NewPage();
}
