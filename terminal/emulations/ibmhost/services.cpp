#include "terminal/emulations/ibmhost/services.h"

bool IbmHostWindowTakesKeys()
{
    return false;
}
bool HostDialogTakesMessage(MSG*)
{
    return false;
}
bool I5250TextAssistOn()
{
    return false;
}
void CreateHostPrinterWindow(LPARAM) {}
void DestroyHostPrinterWindow(LPARAM) {}

// The 3270 and 5250 emulations are not built yet: no session is ever active, so the
// telnet layer never calls these while the program runs.
#include "terminal/emulations/ibmhost/telnetsession.h"

void Tn3270eHandleRecord(I3270Session*, const u8*, int) {}
void I5250HandleRecords(I5250Session*, const u8*, int) {}
void I3270ResetSession(int) {}
void I5250ResetSession(int) {}
void I3270SetPrinterState(I3270Session* session, int state)
{
    if (session)
        session->printerState = static_cast<u16>(state);
}
void I5250SetPrinterState(I5250Session* session, int state)
{
    if (session)
        session->printerState = static_cast<u16>(state);
}
void I3270EndPrintJob(I3270Session*) {}
void I5250EndPrintJob(I5250Session*) {}
void I3270ShowLuName(const wchar16*) {}
void I3270ShowModelName() {}
void I3270EraseScreen() {}
void I3270RedrawIndicators() {}
void I5250ClearUnit() {}
void I5250TerminalType() {}
void I5250LeaveBlockMode() {}

// Neither emulation is built yet: there are no settings of theirs to save or load.
void I5250SaveSettings() {}
void I3270SaveSettings() {}
void I5250LoadSettings() {}
void I3270LoadSettings() {}

// No IBM host session exists until those emulations are built.
bool IbmHoldsPainting()
{
    return false;
}

// The 3270 engine's painter and frame services; no 3270 session runs in the program
// until the emulation is registered with the core.
#include "terminal/emulations/ibmhost/services3270.h"
#include "terminal/core/frame/instances.h"

void PaintHostRow(I3270Session*, int, int, int) {}
void I3270ApplyScreenSize(I3270Session*) {}
int I3270SessionSlot()
{
    return FindOwnSessionSlot();
}
void I3270WindowKey(int keyCode)
{
    if (keyCode == 293)
        CloseMainWindow();
    else if (keyCode == 294)
        SwitchToNextSession();
    else if (keyCode == 295)
        SwitchToPreviousSession();
}
