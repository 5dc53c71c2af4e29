// The profile values the VT reports read: the VT300 section's custom and tertiary
// answers and the connection's parity and speed.
#include "terminal/emulations/dec/reports/reports.h"
#include "terminal/settings/store/profilevalues.h"

const wchar16* CustomTerminalIdText()
{
    return Vt300Values.szCustomID;
}

const wchar16* TertiaryAttributesText()
{
    return Vt300Values.vt420_da;
}

int ParitySettingIndex()
{
    return ConnectionValues.comparity;
}

int SpeedSettingIndex()
{
    return ConnectionValues.comspeed;
}
