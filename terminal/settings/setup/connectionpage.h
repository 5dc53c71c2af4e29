// What the New Connection page, the telnet options and the Setup dialog share: the page's
// command buttons, the default terminal-type name the working text falls back to.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u16 kConnectCommand = 1133;        // "C&onnect": the New Connection page's OK
constexpr u16 kTelnetOptionsCommand = 2970;  // "&Telnet Options"

// The active emulation's default terminal-type name, widened.
void DefaultTerminalTypeName(wchar16* buffer, int capacity);
// The serial ports into the port combo of the New Connection page, selecting the
// working device; the number of ports.
int ListSetupSerialPorts(HWND combo);
