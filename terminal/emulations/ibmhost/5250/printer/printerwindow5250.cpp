// The 5250 printer session on the Win32 side: its print job on the print back end, the
// printer's status after the output drained, and the status window "IBM5250 Printer"
// (dialog 2630), made and kept up to date on the user-interface thread from what the
// host-data thread posts.
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/printing/printport.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/emulations/ibmhost/5250/printer/printerwindow5250.h"
#include "terminal/emulations/ibmhost/5250/services5250.h"
#include "terminal/input/bars/toolbars.h"

namespace {
constexpr int kDialog = 2630, kLabel = 3340, kLines = 3341;

INT_PTR CALLBACK PrinterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        wchar16 label[64] = {};
        LoadLanguageString(nullptr, kLabel, label, 64);
        SetDlgItemTextW(dialog, kLabel, label);
        SetWindowTextW(dialog, L"IBM5250 Printer");
        return TRUE;
    }
    case WM_MOUSEMOVE: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) + GetToolbarHeight()};
        TrackToolbarDrag(MainWindowHandle, wParam, at);
        return FALSE;
    }
    case WM_LBUTTONUP: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClearToolbarPressed(at, 1);
        return FALSE;
    }
    default: return FALSE;
    }
}
}  // namespace

bool I5250BeginPrinting()
{
    PrintLockGuard lock;
    if (!BeginPrinting())
        return false;
    ClearPrintMode();
    SetPrintModeFlags();
    return true;
}

void I5250EndPrinting()
{
    PrintLockGuard lock;
    // The host said where the job ends: it closes now, without the close delay.
    PrintJob.continuous = 0;
    FinishPrintJob(1);
    ClearPrintMode();
}

i32 I5250DrainPrinter()
{
    PrintLockGuard lock;
    DrainPrinterOutput(0);
    if (PrinterStatus == 0 && PrintJob.rawPrinter)
        CheckSpoolerStatus();
    return PrinterStatus;
}

bool I5250PrintingStopped()
{
    return PrintJob.continuous == 0;
}

void I5250PrinterLogChanged()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_APP + 2, 0, 0);
}

void I5250UpdatePrinterWindow(I5250Session* s)
{
    I5250Printer* p = s ? &s->printer : nullptr;
    if (!s || !s->printerSession) {
        if (p && p->window)
            I5250DestroyPrinterWindow(s);
        return;
    }
    if (!p->window && !p->windowFailed) {
        HWND parent = ScreenWindowHandle ? ScreenWindowHandle : MainWindowHandle;
        HWND window = CreateDialogParamW(InstanceHandle, MAKEINTRESOURCEW(kDialog), parent, PrinterDialogProc, 0);
        if (!window) {
            p->windowFailed = 1;
            return;
        }
        p->window = window;
        RECT client{};
        GetClientRect(window, &client);
        p->clientWidth = client.right;
        p->clientHeight = client.bottom;
    }
    std::vector<wchar16> text = I5250PrinterLogText();
    text.push_back(0);
    SetDlgItemTextW(p->window, kLines, text.data());
}

void I5250DestroyPrinterWindow(I5250Session* s)
{
    I5250Printer& p = s->printer;
    if (p.window)
        DestroyWindow(p.window);
    p.window = nullptr;
    p.windowFailed = 0;
    p.clientWidth = p.clientHeight = 0;
}

void I5250PrinterWindowMessage(u32, std::intptr_t)
{
    I5250UpdatePrinterWindow(I5250ActiveSession);
}
