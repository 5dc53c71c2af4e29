// The 3270 engine's painter and frame services; no 3270 session runs in the program
// until the emulation is registered with the core.
#include "terminal/emulations/ibmhost/services3270.h"
#include "terminal/core/frame/instances.h"

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
