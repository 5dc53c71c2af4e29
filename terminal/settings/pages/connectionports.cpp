// The serial ports the New Connection page offers: the machine's ports read afresh, each
// item's data its port number; with no port chosen yet the first becomes the choice.
#include "terminal/comms/serial/serialports.h"
#include "terminal/settings/setup/connectionpage.h"
#include "terminal/settings/setup/setupcopy.h"

int ListSetupSerialPorts(HWND combo)
{
    u8 device = static_cast<u8>(SetupCopy.device);
    u32 kind = SetupCopy.deviceKind;
    const int count = FillSerialPortList(combo, &device, &kind);
    SetupCopy.device = device;
    SetupCopy.deviceKind = kind;
    return count;
}
