// What the New Connection page and the telnet options share: the default terminal-type
// name the working text falls back to.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The active emulation's default terminal-type name, widened.
void DefaultTerminalTypeName(wchar16* buffer, int capacity);
// The serial ports into the port combo of the New Connection page, selecting the
// working device; the number of ports.
int ListSetupSerialPorts(HWND combo);
