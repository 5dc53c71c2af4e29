#include "terminal/settings/setup/setuplaunch.h"

#include "terminal/core/window/dialogs/dialogbase.h"
#include "terminal/settings/setup/setupcopy.h"
#include "terminal/settings/setup/setupdialog.h"

namespace {

constexpr int kSerialSlot = 1;

bool OpenPortSetup(HWND window, LineIndices& line, SetupLineOwner owner, u32 serialOwner)
{
    SetupLineChoice& w = SetupCopy.line[owner];
    w = {line.speed, line.parity, line.stopBits, line.dataBits, line.flow};
    const u16 savedResult = SetupResult;
    SetupResult = 0;
    RunSetupPage(window, kSerialSlot, false, serialOwner, nullptr);
    const bool chosen = SetupResult != 0;
    SetupResult = savedResult;
    if (chosen)
        line = {static_cast<u8>(w.speed), static_cast<u8>(w.parity), static_cast<u8>(w.stopBits),
                static_cast<u8>(w.dataBits), static_cast<u8>(w.flow)};
    if (window)
        SetFocus(window);
    return chosen;
}

}  // namespace

void OpenSerialFromConnection(HWND window)
{
    // The nested page edits the New Connection page's copy: its OK keeps the choices
    // there, and only that page's OK (or Connect) makes them live.
    const u16 savedResult = SetupResult;
    RunSetupPage(window, kSerialSlot, true, kSerialOwnerConnection, nullptr);
    SetupResult = savedResult;
    if (window)
        SetFocus(window);
}

bool OpenPrinterPortSetup(HWND window, LineIndices& line)
{
    return OpenPortSetup(window, line, kLinePrinter, kSerialOwnerPrinter);
}

bool OpenAuxPortSetup(HWND window, LineIndices& line)
{
    return OpenPortSetup(window, line, kLineAux, kSerialOwnerAux);
}
