#include "terminal/comms/auxport.h"

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
