#include "terminal/comms/auxport.h"

#include "terminal/core/base/win32.h"

// No auxiliary port can be opened yet.
bool PassThroughActive()
{
    return false;
}
bool AuxPortOpen()
{
    return false;
}
int AuxPortReadByte()
{
    return -1;
}
void AuxPortFilter(u8) {}
void SetAuxHeldStatus(bool) {}
int AskAuxContinue(i32)
{
    return IDABORT;
}
void RequestAuxPassThroughEnd() {}
