// Frame services of the 3270 engine.
#include "terminal/emulations/ibmhost/3270/services3270.h"
#include "terminal/core/session/instances.h"

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
