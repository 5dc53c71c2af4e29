// Which telnet options this side agrees to, the subnegotiations it answers (terminal
// type, 3270-REGIME, NEW-ENVIRON for 5250, TN3270E) and the 3270/5250 record modes.
#pragma once

#include "terminal/comms/telnet/network.h"

// The profile's "Telnet" section.
struct TelnetSettings {
    u32 keepAlives;
    u32 echoSuppress;      // never send DO/DONT ECHO
    i32 binary;            // at connect: 0 DONT BINARY, 1 DO BINARY, else nothing
    i32 eor;               // the same for END-OF-RECORD
    u32 sendBreakTM;       // a timing mark follows BREAK
    u32 sendBreakCR;       // a CR follows BREAK
    wchar16 sendLocn[41];  // non-empty enables SEND-LOCATION
    u32 printDelay3270;
    u32 regimeSuppress;                           // refuse 3270-REGIME
    u32 tn3270e;                                  // accept TN3270E in a 3270 session
    u32 bind, prtLu3, responses, prtLu1, sysReq;  // TN3270E functions asked for
    wchar16 luid[67];                             // LU template: TN3270E CONNECT and the terminal-type suffix
    wchar16 associate[67];                        // device name for TN3270E ASSOCIATE
    u32 newEnvSuppress;                           // refuse NEW-ENVIRON
};
extern TelnetSettings TelnetConfig;
void SetTelnetDefaults(TelnetSettings& settings);

void TelnetStartNegotiation(SocketHandle socket);
void TelnetHandleWill(SocketHandle socket, u8 option);
void TelnetHandleWont(SocketHandle socket, u8 option);
void TelnetHandleDo(SocketHandle socket, u8 option);
void TelnetSendWont(SocketHandle socket, u8 option);
// Handles Telnet.sub[0..subLength): the option code, then its data (zeros included).
void TelnetSubnegotiation(SocketHandle socket);
// Sends IAC SB SEND-LOCATION <location> IAC SE when a location is configured.
void TelnetSendLocation(SocketHandle socket);
void Tn3270UpdateTelnetModes();
void Tn5250UpdateTelnetModes();
bool TelnetTn3270eEnabled();
bool TelnetTn3270eComplete();
bool TelnetEchoAcceptable();
// Whether received data belongs to a record (3270 record mode or TN3270E, 5250 block mode).
bool TelnetRecordSession();

// The default terminal-type name of the active emulation, 8-bit, into `buffer`; returns
// its length.
int GetTerminalTypeName(char* buffer, int capacity);
// The name sent in reply to TERMINAL-TYPE SEND (sets the permission flags as it goes).
int TelnetTerminalTypeReply(char* buffer, int capacity);
// The 13 3270 model names (IBM-3278-2 ... IBM-3287-1).
const char* Model3270Name(int model);
