// The profile values the VT reports read. The profile store fills them at load.
#include "terminal/emulations/dec/reports.h"

wchar16 VtCustomId[133] = {};
wchar16 VtTertiaryAttributes[34] = {};
u8 VtParitySetting = 0;
u8 VtSpeedSetting = 6;

const wchar16* CustomTerminalIdText()
{
    return VtCustomId;
}

const wchar16* TertiaryAttributesText()
{
    return VtTertiaryAttributes;
}

int ParitySettingIndex()
{
    return VtParitySetting;
}

int SpeedSettingIndex()
{
    return VtSpeedSetting;
}
