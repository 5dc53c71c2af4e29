// Opening and closing the network session: the calls the host-data thread and the
// commands make, and the state they share with the socket layer.
#pragma once

#include <atomic>

#include "terminal/comms/telnet/network.h"

// Connection start state: 0 idle, 1 a TCP/IP start waits for timer 1089, 2 the host-data
// thread may connect (it then connects), 3 a connection attempt is under way.
extern std::atomic<u32> ConnectionStartState;
// Set by the user's disconnect and by Cancel in the connecting dialog: the next close
// is silent.
extern std::atomic<u32> DisconnectRequested;

constexpr u32 kProtocolTcpIp = 1211;
constexpr u32 kProtocolSerial = 1212;

// Connects to `host` and, with host rollover, to netname2..netname4 in turn; the socket,
// or -1 after one error message (none after Cancel).
int ConnectWithRollover(u32 protocol, const wchar16* host);
// netproto 0 telnet, 1 serial: ConnectWithRollover(1211 + index, host).
int ConnectNetworkSession(u32 protocolIndex, const wchar16* host);
// Closes the connection (gracefully when the user asked for it) and frees its buffers.
void DisconnectNetworkSession(SocketHandle socket);
// Lays the command line's ports, on-close action and no-connection switch over the
// profile's connection values.
void ApplyStartupConnectionOptions();
// Reads the "Telnet" section of the current profile.
void LoadTelnetSettings();
// Writes the "Telnet" section; `flush` flushes the key before closing it.
void SaveTelnetSettings(bool flush);
// Writes the TN3270E functions, the LU name and the associated device name at once.
void SaveTelnetTn3270eValues();
// A NEW-ENVIRON variable of a subkey of the "Telnet" section ("5250,VAR" ...): the
// user's value over the machine-wide one; written to the store saves go to, an empty
// text deleting the value.
bool ReadTelnetEnvironText(const wchar16* subkey, const wchar16* name, wchar16* buffer, int capacity);
void WriteTelnetEnvironText(const wchar16* subkey, const wchar16* name, const wchar16* text);
