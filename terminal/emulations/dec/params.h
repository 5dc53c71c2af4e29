// The handlers' view of the collected control-sequence parameters.
#pragma once

#include "terminal/core/host/escparser.h"

// Parameter i (1-based) as collected, 0 when absent.
inline int Param(int i)
{
    if (i < 1 || i > CsiParameters.count || i > kCsiSlots)
        return 0;
    return CsiParameters.slots[i].value;
}
// Parameter i with 0 (or absent) taken as 1: counts of moves and repeats.
inline int CountParam(int i)
{
    const int v = Param(i);
    return v == 0 ? 1 : v;
}
inline int ParamCount()
{
    return CsiParameters.count > kCsiSlots ? kCsiSlots : CsiParameters.count;
}
// The private marker in force: ' ' for none, '<' '=' '>' '?', or 'E' after digits.
inline u8 ParamMarker()
{
    return CsiParameters.markerInForce;
}
inline u8 CurrentByte()
{
    return CsiParameters.currentByte;
}
