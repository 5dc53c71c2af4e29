// The one print job: started on its channel, kept open for the close delay, ended.
#include "terminal/comms/printing/printjob.h"

#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printport.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/core/base/cursors.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/ticks.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u32 kStrAbortWindow = 7122;  // "NULL Abort window handle"
constexpr u32 kStrCannotStart = 7123;  // "Unable to Start Print Job"
wchar_t kDocumentName[] = L"vexaNT";
wchar_t kRawType[] = L"RAW";

// A started job that fails: everything printing holds is given back.
int FailStart(u32 message)
{
    PrintJob.cancelled = 1;
    if (message)
        ShowPrintMessage(message);
    StopPrinting();
    return 0;
}

int StartRawJob()
{
    DOC_INFO_1W info{kDocumentName, nullptr, kRawType};
    const DWORD job = StartDocPrinterW(PrintJob.rawPrinter, 1, reinterpret_cast<BYTE*>(&info));
    if (job == 0) {
        ClosePrinter(PrintJob.rawPrinter);
        PrintJob.rawPrinter = nullptr;
        return FailStart(kStrCannotStart);
    }
    if (!StartPagePrinter(PrintJob.rawPrinter)) {
        EndDocPrinter(PrintJob.rawPrinter);
        ClosePrinter(PrintJob.rawPrinter);
        PrintJob.rawPrinter = nullptr;
        return FailStart(0);
    }
    PrintJob.jobId = static_cast<i32>(job);
    PrintJob.rawPageOpen = 1;
    PrintJob.line.Start(1);
    PrintJob.cancelled = 0;
    return 1;
}

// Printer-controller data for a driver that has no raw bytes but takes PostScript:
// a channel carries it untouched.
bool ChannelWanted()
{
    return CurrentPrintMode() == 2 && QueryPrinterEscape(POSTSCRIPT_PASSTHROUGH) &&
           QueryPrinterEscape(OPENCHANNEL) && QueryPrinterEscape(CLOSECHANNEL);
}

int StartPrintDocument(HDC dc, DOCINFOW* info)
{
    if (ChannelWanted() && ExtEscape(dc, OPENCHANNEL, 0, nullptr, 0, nullptr) > 0) {
        PrintJob.channelOpen = 1;
        return 1;
    }
    return StartDocW(dc, info);
}

void EndPrintDocument(HDC dc)
{
    RestorePrinterFont();
    if (PrintJob.channelOpen) {
        ExtEscape(dc, CLOSECHANNEL, 0, nullptr, 0, nullptr);
        PrintJob.channelOpen = 0;
    } else {
        EndDoc(dc);
    }
}

int StartDocumentJob()
{
    HDC dc = PrintJob.dc;
    if (!dc)
        return FailStart(kStrCannotStart);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = kDocumentName;
    const int job = StartPrintDocument(dc, &info);
    if (job < 1) {
        EnableMainWindowForPrinting(true);
        return FailStart(kStrCannotStart);
    }
    PrintJob.jobId = job;
    PrintJob.documentOpen = 1;
    if (!PrintJob.channelOpen) {
        StartPage(dc);
        SelectPrinterFont();
    } else {
        PrintJob.line.Start(1);
    }
    PrintJob.cancelled = 0;
    return 1;
}

bool JobRunning()
{
    return PrintJob.dc || PrintJob.rawPageOpen || PrintJob.portOpen;
}

}  // namespace

bool ByteOutput()
{
    return (PrintJob.continuous && PrintingValues.DirectToPort) || PrintingValues.ViaLPR;
}

int StartPrintJob(int graphics)
{
    PrintLockGuard lock;
    if (PrintJob.delayed) {
        // The new output joins the job that waits for its close delay.
        PrintJob.delayed = 0;
        PrintJob.cancelled = 0;
        return 1;
    }
    if ((PrintJob.continuous && PrintingValues.DirectToPort) || PrintingValues.ViaLPR) {
        const int opened = OpenPrinterPort();
        PrintJob.portOpen = opened ? 1 : 0;
        PrintJob.cancelled = 0;
        return opened;
    }
    const bool raw = PrintJob.passthrough && PrintJob.rawPrinter &&
                     (CurrentPrintMode() == 2 || (PrintJob.continuous && !graphics));
    return raw ? StartRawJob() : StartDocumentJob();
}

int OpenPrintJob()
{
    PrintLockGuard lock;
    if (PrintJob.delayed)
        ClosePrintJob();
    HCURSOR previous = SetCursor(WaitCursor);
    const int opened = OpenPrinterOutput();
    SetCursor(previous);
    if (!opened) {
        StopPrinting();
        return 0;
    }
    if (!PrintingValues.ViaLPR) {
        if (!ShowAbortDialog()) {
            CloseAbortDialog();
            ShowPrintMessage(kStrAbortWindow);
            StopPrinting();
            return 0;
        }
        if (PrintJob.dc)
            SetAbortProc(PrintJob.dc, PrintAbortProc);
    }
    EnableMainWindowForPrinting(false);
    if (!StartPrintJob(0)) {
        StopPrinting();
        return 0;
    }
    return 1;
}

int BeginPrinting()
{
    PrintLockGuard lock;
    PrintJob.continuous = 1;
    if (!PrintingValues.DirectToPort && !PrintingValues.ViaLPR) {
        if (JobRunning()) {
            // The running job goes on; one waiting for its close delay stays open now.
            PrintJob.delayed = 0;
            PrintJob.cancelled = 0;
            return 1;
        }
        PrintJob.passthrough = 0;
        if (!OpenPrinterOutput()) {
            StopPrinting();
            return 0;
        }
        PrintJob.passthrough = static_cast<u8>(QueryPrinterEscape(PASSTHROUGH));
    } else if (JobRunning()) {
        PrintJob.delayed = 0;
        PrintJob.cancelled = 0;
        return 1;
    }
    if (!StartPrintJob(0)) {
        StopPrinting();
        return 0;
    }
    return 1;
}

void ClosePrintJob()
{
    PrintLockGuard lock;
    PrintJob.delayed = 0;
    if (PrintJob.portOpen) {
        PrintJob.portOpen = 0;
        ClosePrinterPort();
    } else if (HDC dc = PrintJob.dc) {
        const bool cancelled = PrintJob.cancelled != 0;
        if (PrintJob.rawPageOpen) {
            EndPagePrinter(PrintJob.rawPrinter);
            EndDocPrinter(PrintJob.rawPrinter);
        } else if (PrintJob.documentOpen) {
            if (cancelled) {
                AbortDoc(dc);
                RestorePrinterFont();
                PrintJob.channelOpen = 0;
            } else {
                if (!PrintJob.endWithEndDoc && !PrintJob.channelOpen)
                    EndPage(dc);
                EndPrintDocument(dc);
            }
        }
        CloseAbortDialog();
        DeletePrinterDC();
    }
    if (PrintJob.rawPrinter) {
        ClosePrinter(PrintJob.rawPrinter);
        PrintJob.rawPrinter = nullptr;
    }
    PrintJob.rawPageOpen = 0;
    PrintJob.documentOpen = 0;
    PrintJob.channelOpen = 0;
    PrintJob.endWithEndDoc = 0;
    PrintJob.passthrough = 0;
    PrintJob.continuous = 0;
    PrintJob.line.Discard();
    EnableMainWindowForPrinting(true);
}

void EndPrintJob(int drain)
{
    PrintLockGuard lock;
    if (drain)
        DrainPrinterOutput(0);
    if (!ByteOutput() && JobRunning()) {
        FlushPrintLine();
        if (PrintingValues.iPrintDelay > 0 && !PrintJob.cancelled && PrintJob.continuous) {
            // The job stays open: output that comes within the delay joins it.
            Countdowns.printJobIdle = PrintingValues.iPrintDelay;
            PrintJob.delayed = 1;
            CloseAbortDialog();
            return;
        }
    }
    ClosePrintJob();
}

void FinishPrintJob(int drain)
{
    PrintLockGuard lock;
    SetPrinterStatus(0);
    RefreshPrinterStatus();
    PrintJob.endWithEndDoc = 0;
    EndPrintJob(drain);
}

void FinishGraphicsJob(int drain)
{
    PrintLockGuard lock;
    PrintJob.endWithEndDoc = 1;
    EndPrintJob(drain);
}

void CloseDelayedPrintJob()
{
    PrintLockGuard lock;
    if (PrintJob.delayed && Countdowns.printJobIdle == 0)
        ClosePrintJob();
}

void EjectPage()
{
    PrintLockGuard lock;
    bool opened = false;
    if (!JobRunning()) {
        if (!BeginPrinting())
            return;
        opened = true;
    }
    if (ByteOutput())
        PortWriteChar(12);
    else
        PrintBufferChar(12);
    if (opened)
        FinishPrintJob(1);
}
