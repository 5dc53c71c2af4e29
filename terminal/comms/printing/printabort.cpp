// The abort dialog of a print job and the main window while a job runs. Both belong to
// the user-interface thread: a job started on the host-data thread posts its requests
// there instead of touching the windows itself.
#include "terminal/comms/printing/lprbind.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/printing/printport.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr int kTextUnits = 256;

void SetFormatted(HWND dialog, int control, u32 formatId, const wchar_t* argument)
{
    wchar_t format[kTextUnits], text[kTextUnits];
    LoadLanguageString(InstanceHandle, formatId, format, kTextUnits);
    _snwprintf(text, kTextUnits - 1, format, argument);
    text[kTextUnits - 1] = 0;
    if (control)
        SetDlgItemTextW(dialog, control, text);
    else
        SetWindowTextW(dialog, text);
}

void ShowOnUiThread()
{
    if (PrintJob.abortDialog && IsWindow(PrintJob.abortDialog))
        return;
    PrintJob.abortDialog = CreateDialogParamW(InstanceHandle, L"AbortDlg", MainWindowHandle, AbortDlgProc, 0);
}

void CloseOnUiThread()
{
    if (MainWindowHandle)
        EnableWindow(MainWindowHandle, TRUE);
    HWND dialog = PrintJob.abortDialog;
    PrintJob.abortDialog = nullptr;
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
}

// Here on the user-interface thread, else posted to it.
bool OnUiThread(LPARAM request)
{
    if (OnUserInterfaceThread())
        return true;
    PostUiRequest(kUiPrintWindows, request);
    return false;
}

}  // namespace

int ShowAbortDialog()
{
    if (!OnUiThread(kPrintShowAbortDialog))
        return 1;
    ShowOnUiThread();
    return PrintJob.abortDialog ? 1 : 0;
}

void CloseAbortDialog()
{
    if (OnUiThread(kPrintCloseAbortDialog))
        CloseOnUiThread();
}

void EnableMainWindowForPrinting(bool enable)
{
    if (!MainWindowHandle || !OnUiThread(enable ? kPrintEnableMain : kPrintDisableMain))
        return;
    EnableWindow(MainWindowHandle, enable ? TRUE : FALSE);
    if (enable && GetForegroundWindow() == MainWindowHandle)
        SetFocus(MainWindowHandle);
}

void ServePrintWindowRequest(LPARAM request)
{
    switch (request) {
    case kPrintShowAbortDialog:
        // A job that ended before its request arrived wants no dialog any more.
        if (PrintJob.dc || PrintJob.rawPageOpen)
            ShowOnUiThread();
        break;
    case kPrintCloseAbortDialog: CloseOnUiThread(); break;
    case kPrintEnableMain: EnableMainWindowForPrinting(true); break;
    case kPrintDisableMain:
        if (PrintJob.dc || PrintJob.rawPageOpen)
            EnableMainWindowForPrinting(false);
        break;
    case kPrintLprDebugWindow: ShowLprDebugWindow(); break;
    case kPrintCloseHeldPort: CloseHeldPrinterPort(); break;
    default: break;
    }
}

BOOL CALLBACK PrintAbortProc(HDC, int)
{
    MSG msg;
    while (!PrintJob.cancelled && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        HWND dialog = PrintJob.abortDialog;
        if (!dialog || !IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return PrintJob.cancelled ? FALSE : TRUE;
}

INT_PTR CALLBACK AbortDlgProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        wchar_t family[kTextUnits], text[kTextUnits];
        LoadLanguageString(InstanceHandle, 10108, family, kTextUnits);
        SetFormatted(dialog, 0, 5121, family);  // "%s Print"
        LoadLanguageString(InstanceHandle, 2, text, kTextUnits);
        SetDlgItemTextW(dialog, IDCANCEL, text);
        LoadLanguageString(InstanceHandle, PrintingValues.PrintMode == 1110 ? 7143 : 7144, text, kTextUnits);
        SetDlgItemTextW(dialog, 1113, text);
        SetFormatted(dialog, 1106, 7145, PrintingValues.PMPrinter);  // "to %s"
        SetFormatted(dialog, 1105, 7146, PrintingValues.PMPort);     // "via %s"
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE;
    }
    case WM_COMMAND:
        // The job stops at its next character or line; the main window is free again.
        PrintJob.cancelled = 1;
        if (MainWindowHandle)
            EnableWindow(MainWindowHandle, TRUE);
        if (PrintJob.abortDialog == dialog)
            PrintJob.abortDialog = nullptr;
        DestroyWindow(dialog);
        return TRUE;
    default: return FALSE;
    }
}
