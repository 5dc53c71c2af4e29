// The 3287 on the Win32 side: its print job on the print back end, and the status
// window "IBM3287" (dialog 2620), made and kept up to date on the user-interface thread
// from what the host-data thread posts.
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/emulations/ibmhost/3270/printer/window3287.h"
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/input/bars/toolbars.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
constexpr int kDialog = 2620, kLabel = 1092, kLog = 1093;

INT_PTR CALLBACK PrinterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        wchar16 label[64] = {};
        LoadLanguageString(nullptr, kLabel, label, 64);
        SetDlgItemTextW(dialog, kLabel, label);
        SetWindowTextW(dialog, L"IBM3287");
        return TRUE;
    }
    case WM_MOUSEMOVE: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) + GetToolbarHeight()};
        TrackToolbarDrag(MainWindowHandle, wParam, at);
        return TRUE;
    }
    case WM_LBUTTONUP: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClearToolbarPressed(at, 1);
        return TRUE;
    }
    default: return FALSE;
    }
}

void ShowLog(HWND window)
{
    std::vector<wchar16> text = I3270PrinterLogText();
    text.push_back(0);
    SetDlgItemTextW(window, kLog, text.data());
}
}  // namespace

bool I3287BeginPrinting()
{
    PrintLockGuard lock;
    if (!BeginPrinting())
        return false;
    ClearPrintMode();
    SetPrintModeFlags();
    return true;
}

void I3287EndPrinting()
{
    PrintLockGuard lock;
    // A printer on a port ends the job with a form feed when the printer setup asks.
    if (PrintingValues.PrintTerminator && ByteOutput() && PrintJob.continuous) {
        PrintChar(13);
        PrintChar(12);
        PrintLockRelease release;
        Sleep(500);
    }
    // The 3287 has waited its own end-of-job delay: the job closes now.
    PrintJob.continuous = 0;
    FinishPrintJob(1);
    ClearPrintMode();
}

bool I3287PrintingCancelled()
{
    return PrintJob.cancelled != 0;
}

bool I3287PrintingStopped()
{
    return PrintJob.continuous == 0;
}

void I3287LogChanged()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_APP + 2, 0, 0);
}

void I3270UpdatePrinterWindow(I3270Session* s)
{
    I3287Job* j = s ? &s->printer : nullptr;
    const bool printer = s && s->model == k3287PrinterModel;
    if (!printer) {
        if (j && j->window)
            I3270DestroyPrinterWindow(s);
        return;
    }
    if (!j->window && !j->windowFailed) {
        HWND window = CreateDialogParamW(InstanceHandle, MAKEINTRESOURCEW(kDialog), MainWindowHandle,
                                         PrinterDialogProc, 0);
        if (!window) {
            j->windowFailed = 1;
            return;
        }
        j->window = window;
        RECT client{};
        GetClientRect(window, &client);
        j->clientWidth = client.right;
        j->clientHeight = client.bottom;
        SetWindowPos(window, HWND_TOP, 0, GetToolbarHeight(), 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    }
    ShowLog(j->window);
}

void I3270PrinterWindowMessage(u32, std::intptr_t)
{
    I3270UpdatePrinterWindow(I3270ActiveSession);
}

void I3270DestroyPrinterWindow(I3270Session* s)
{
    I3287Job& j = s->printer;
    if (j.window)
        DestroyWindow(j.window);
    j.window = nullptr;
    j.windowFailed = 0;
    j.clientWidth = j.clientHeight = 0;
}
