// The auxiliary port's own port list: the machine's serial ports and the ports of its
// printers that are parallel (LPT) ports, walked as the printer's list is walked but
// kept apart from it. Rebuilt on each open and each dialog, so a port added while the
// program runs is offered at once.
#pragma once

#include "terminal/comms/printing/portlist.h"

using AuxPortRecord = PortRecord;

// Rebuilds the list (filling `combo` when given); the number of ports.
int BuildAuxPortList(HWND combo);
void FreeAuxPorts();
// Copies of records, so no caller keeps a pointer into a list that is rebuilt.
bool FindAuxPort(u32 index, AuxPortRecord* out);
// The record naming the same port as `name` ("LPT2" and "LPT2:" are one port).
bool FindAuxPortByName(const wchar_t* name, AuxPortRecord* out);
// One port, whether or not either name ends in ":".
bool SamePortName(const wchar_t* a, const wchar_t* b);
// A serial port name: "COM" and a number.
bool IsSerialPortName(const wchar_t* name);
