// Device-name templates (TelnetLuid, DEVNAME, SendLocn): "%D<n>%" rotates over n names,
// "%s" is the local host name, "%u" the Windows user, "%-.N" keeps the last N characters.
// Templates come from the registry, so they are expanded here and never used as printf
// formats.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

constexpr int kDeviceNameCap = 1023;

// Expands `pattern` into `out` (8-bit, upper-case, at most `maximum` characters, capped at
// 1023, NUL-terminated; `out` holds maximum + 1 bytes). Returns the length.
int ExpandDeviceName(char* out, const wchar16* pattern, int maximum, bool rotate);
int ExpandDeviceNameRotating(char* out, const wchar16* pattern, int maximum);

// Services of the expander (platform code; doubles in tests).
std::u16string LocalHostName();    // gethostname through the socket library, "" if none
std::u16string WindowsUserName();  // at most 49 characters
// DeviceNameCount5250 / DeviceNameCount3270 of the "Telnet" section.
u32 ReadDeviceNameCount(bool session5250);
void WriteDeviceNameCount(bool session5250, u32 value);
