#include "terminal/core/window/status/statussources.h"

#include "terminal/comms/aux/auxport.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/paint/paintrows.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/settings/store/profilevalues.h"

StatusCursor CurrentStatusCursor()
{
    return {Screen.multiPage ? Screen.pageShown : 0, Screen.cursorRow, Screen.cursorColumn};
}

bool StatusLocalMode()
{
    return LocalMode != 0;
}

void SetStatusLocalMode(bool on)
{
    LocalMode = on ? 1 : 0;
}

bool StatusInsertMode()
{
    return VtMode.insertMode != 0;
}

bool StatusLocalEditMode()
{
    return VtLocalEditFlag == 1;
}

bool StatusDecKeyMode()
{
    return Vt300Values.DecKeyMode != 0;
}

StatusPrinterState StatusPrinter()
{
    if (!CheckPrinterAvailable())
        return StatusPrinterState::None;
    if (PrinterStatus != 0)
        return StatusPrinterState::Status;
    if (AutoPrintOn())
        return StatusPrinterState::AutoPrint;
    if (PrinterControllerOn())
        return StatusPrinterState::Controller;
    return StatusPrinterState::Ready;
}

StatusAuxState StatusAuxPort()
{
    if (!CheckPrinterAvailable())
        return StatusAuxState::None;
    return PassThroughActive() ? StatusAuxState::InUse : StatusAuxState::Ready;
}

void FlipHoldScreen()
{
    OutputHeld = OutputHeld ? 0 : 1;
}

void FillStatusBarBackground(HDC dc, const RECT& rect)
{
    HBRUSH brush = CreateSolidBrush(TerminalPalette[ScreenBackgroundIndex()]);
    if (brush) {
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
}
