// The print back end: the one print job of the program on its channel (a local port,
// the LPR client, a RAW spooler job or a GDI document), the Windows printer and its
// device context, the abort dialog and the close delay.
//
// Both threads print: the user-interface thread runs the menu commands and the posted
// print-screen steps, the host-data thread auto print, printer-controller output and
// the media-copy starts. The job state is guarded by PrintLock; nothing holds it while
// it waits for the user or sleeps, and windows are only touched on the user-interface
// thread (the host-data thread posts for them).
#pragma once

#include <atomic>

#include "terminal/comms/printing/printline.h"
#include "terminal/core/base/win32.h"
#include <winspool.h>

struct PrintJobState {
    HDC dc = nullptr;
    HANDLE rawPrinter = nullptr;  // OpenPrinterW handle kept while a DC exists
    i32 jobId = 0;
    u8 rawPageOpen = 0;              // a RAW spooler job with its page started
    u8 passthrough = 0;              // the driver takes raw bytes (asked by BeginPrinting)
    u8 channelOpen = 0;              // a PostScript channel opened for controller data
    u8 endWithEndDoc = 0;            // a graphics job: EndDoc without EndPage
    u8 documentOpen = 0;             // a GDI document (StartDocW) runs
    u8 portOpen = 0;                 // the job's bytes go to a port or an LPR request
    std::atomic<u32> continuous{0};  // a job of BeginPrinting: auto print, controller, eject
    std::atomic<u32> cancelled{0};
    std::atomic<u32> stopRequested{0};  // Cancel Printing: a blocked writer gives up
    std::atomic<u8> delayed{0};         // the job stays open for the close delay
    HWND abortDialog = nullptr;
    HFONT previousFont = nullptr, font = nullptr;
    int pageWidth = 0, pageHeight = 0, lineHeight = 0, charWidth = 0;
    u8 bitmapCapable = 0;
    std::atomic<u8> printerAvailable{0};
    PrintLineAssembler line;
};
extern PrintJobState PrintJob;

// The job lock: recursive, owned by the thread that prints. PrintLockRelease gives it up
// whole around a wait (a message box, a retry sleep) and takes it back afterwards.
class PrintLockGuard {
public:
    PrintLockGuard();
    ~PrintLockGuard();
    PrintLockGuard(const PrintLockGuard&) = delete;
    PrintLockGuard& operator=(const PrintLockGuard&) = delete;
};
class PrintLockRelease {
public:
    PrintLockRelease();
    ~PrintLockRelease();
    PrintLockRelease(const PrintLockRelease&) = delete;
    PrintLockRelease& operator=(const PrintLockRelease&) = delete;

private:
    int depth_;
};

// A message box by language string id, shown with the job lock given up.
void ShowPrintMessage(u32 id);

// Printer and device context.
int CheckPrinterAvailable();
// The profile's Windows printer, else the WIN.INI default (which becomes the profile's).
bool WindowsPrinterAvailable();
void ParseDeviceString(const wchar_t* device);
void GetPrinterPortName(const wchar_t* printer, wchar_t* port, int capacity);
HDC CreatePrinterDC(const wchar_t* printer, const wchar_t* port, const DEVMODEW* mode);
HGLOBAL GetPrinterDevMode(const wchar_t* printer, HANDLE* rawPrinter);
HDC GetPrinterDC(const DEVMODEW* mode);
int OpenPrinterOutput();
int QueryPrinterEscape(int escape);
void DeletePrinterDC();

// Jobs.
int StartPrintJob(int graphics);
int OpenPrintJob();
int BeginPrinting();
void ClosePrintJob();
void EndPrintJob(int drain);
void FinishPrintJob(int drain);
void FinishGraphicsJob(int drain);
void EjectPage();
// True while the job's characters go to a port or an LPR request rather than the
// Windows printer.
bool ByteOutput();
// The idle step's end of a delayed job whose close delay ran out.
void CloseDelayedPrintJob();

// Line assembly on the Windows printer.
void PrintBufferChar(u16 c);
void FlushPrintLine();
void SelectPrinterFont();
void RestorePrinterFont();
bool AdvancePrinterPage();
void ConfigurePrintLine();

// The abort dialog and the main window while a job runs; from any thread.
int ShowAbortDialog();
void CloseAbortDialog();
void EnableMainWindowForPrinting(bool enable);
BOOL CALLBACK PrintAbortProc(HDC dc, int code);
INT_PTR CALLBACK AbortDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// What another thread posts to the user-interface thread for printing (the argument
// of a kUiPrintWindows request), carried out there by ServePrintWindowRequest.
constexpr LPARAM kPrintShowAbortDialog = 1, kPrintCloseAbortDialog = 2, kPrintEnableMain = 3,
                 kPrintDisableMain = 4, kPrintLprDebugWindow = 5, kPrintCloseHeldPort = 6;
void ServePrintWindowRequest(LPARAM request);

// Print screen as a picture (command 1040) once its method is known: the PRINTING values'
// PrintMode, and the image choice just made in the dialog or kept from the last one.
// The text method posts the text print screen instead.
void PrintScreenBitmap(bool imageChosenNow);

// What the spooler says of the printer: 1 when it is ready. A test may replace the
// source of the status word (PRINTER_INFO_2 Status).
int CheckSpoolerStatus();
extern DWORD (*SpoolerStatusSource)(HANDLE printer, bool* known);
