#include "terminal/core/statussources.h"

#include "terminal/core/hostsettings.h"
#include "terminal/core/screencolours.h"
#include "terminal/core/screenstore.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/colours.h"

StatusCursor CurrentStatusCursor()
{
    return {Screen.pageShown, Screen.cursorRow, Screen.cursorColumn};
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
    return false;
}

// No printer can be chosen until printing exists.
StatusPrinterState StatusPrinter()
{
    return StatusPrinterState::None;
}

StatusAuxState StatusAuxPort()
{
    return StatusAuxState::None;
}

void FlipHoldScreen()
{
    OutputHeld = OutputHeld ? 0 : 1;
}

// Only the DEC VT family is built; every other family falls back to it.
void RunEmulationStatusLayout(u8) {}

void FillStatusBarBackground(HDC dc, const RECT& rect)
{
    HBRUSH brush = CreateSolidBrush(TerminalPalette[AttributeColourTable.bckscrn & 15]);
    if (brush) {
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
}
