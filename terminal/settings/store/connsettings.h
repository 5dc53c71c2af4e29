// The CONNECTION values of the profile that the connection code reads.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

constexpr int kHostNameUnits = 133;
constexpr int kRolloverHostUnits = 64;

struct ConnectionSettings {
    wchar16 netname[kHostNameUnits];          // the first host tried
    wchar16 rollover[3][kRolloverHostUnits];  // netname2..netname4
    u32 hostrollover;
    u32 netproto;  // 0 telnet, 1 serial, 2 none
    u32 noConnection;
    u32 telnetPort;                            // iTelnetPortNum
    u32 localPort;                             // iLocalPortNum, 0 = any
    u32 closeBudget;                           // iTnPortClose: at most 2 x this many 450 ms drain waits
    u32 timeOut;                               // connect countdown in seconds, 0 = none
    wchar16 terminalTypeName[kHostNameUnits];  // iTelnetName, empty = the default name
    u32 onCloseAction;                         // 1 exit, 2 nothing, 3 reconnect, 4 a command, else the dialog
    u32 onCloseCommand;
};
extern ConnectionSettings Connection;

// Local echo (lecho): turned on when the host asks this side to echo.
extern std::atomic<u32> LocalEcho;

void ResetConnectionSettings();
