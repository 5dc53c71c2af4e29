// The serial line as data: speeds, flow-control modes, transmit pacing, and the port
// number a port name stands for.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kSerialSpeedCount = 11;
// Speed index (comspeed, etxspeed) -> bits per second.
extern const u32 kSerialSpeeds[kSerialSpeedCount];
// 0 for an index outside the table.
u32 SerialSpeedOf(u32 index);

// What one flow-control mode (comflowc 0-4) sets in the device-control block.
struct FlowControlMode {
    u8 outX;          // honour XOFF from the line
    u8 inX;           // send XOFF/XON when the input fills
    u8 ctsFlow;       // hold output while CTS is off
    u8 rtsHandshake;  // RTS follows the input buffer instead of the RTS setting
};
constexpr int kFlowControlModeCount = 5;
extern const FlowControlMode kFlowControlModes[kFlowControlModeCount];
// Mode 0 for a value outside the table.
const FlowControlMode& FlowControlModeOf(u32 mode);

// Data-bits index (comdatab) -> bits: 0 six, 1 seven, 2 eight.
u8 DataBitsOf(u32 index);

// The pause after each host byte when the transmit speed (etxspeed) is below the line
// speed (comspeed): the time of a 10-bit character in ms; for the fast speeds 19200,
// 38400 and 57600 a negative ratio that paces byte by byte without sleeping; 0 = no
// pacing.
i32 TransmitPacingFor(u32 etxspeed, u32 comspeed);

// The port number of a name such as "COM12:" (the digits after its first three
// characters, minus 1): 11. -1 when no digit follows or the number is out of range.
int SerialPortNumberOf(const wchar16* name);
constexpr u32 kNoSerialPort = 255;
