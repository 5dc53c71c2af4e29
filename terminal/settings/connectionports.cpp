// The serial ports the New Connection page offers.
#include "terminal/settings/connectionpage.h"

#include "terminal/core/base/win32.h"

int ListSetupSerialPorts(HWND combo)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    return 0;
}
