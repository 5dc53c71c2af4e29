#include "terminal/comms/serial/serialline.h"

const u32 kSerialSpeeds[kSerialSpeedCount] = {110, 300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

const FlowControlMode kFlowControlModes[kFlowControlModeCount] = {
    // outX inX cts rtsHandshake
    {0, 0, 0, 0},  // 0 none
    {0, 1, 0, 0},  // 1 input: this side sends XOFF/XON
    {1, 0, 0, 0},  // 2 output: the line's XOFF holds our output
    {1, 1, 0, 0},  // 3 both
    {0, 0, 1, 1},  // 4 hardware: CTS holds output, RTS signals our input
};

u32 SerialSpeedOf(u32 index)
{
    return index < static_cast<u32>(kSerialSpeedCount) ? kSerialSpeeds[index] : 0;
}

const FlowControlMode& FlowControlModeOf(u32 mode)
{
    return kFlowControlModes[mode < static_cast<u32>(kFlowControlModeCount) ? mode : 0];
}

u8 DataBitsOf(u32 index)
{
    return index == 0 ? 6 : index == 1 ? 7 : 8;
}

i32 TransmitPacingFor(u32 etxspeed, u32 comspeed)
{
    const u32 t = SerialSpeedOf(etxspeed);
    const u32 l = SerialSpeedOf(comspeed);
    if (t == 0 || t >= 115200 || t >= l)
        return 0;
    if (t == 19200 || t == 38400 || t == 57600)
        return -static_cast<i32>(l / t);
    return static_cast<i32>(10000 / t);
}

int SerialPortNumberOf(const wchar16* name)
{
    if (!name)
        return -1;
    for (int i = 0; i < 3; ++i)
        if (!name[i])
            return -1;
    int n = 0, digits = 0;
    for (const wchar16* p = name + 3; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
        if (++digits > 3)
            return -1;
    }
    if (digits == 0 || n < 1 || n > 255)
        return -1;
    return n - 1;
}
