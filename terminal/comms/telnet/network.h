// The network connection as the host path sees it: one byte at a time in, units out.
// Implemented by the socket layer over telnet; engines reach the network only here.
#pragma once

#include "terminal/core/base/vxtypes.h"

// A Windows Sockets SOCKET is pointer-sized on 64-bit Windows: kept whole.
using SocketHandle = i64;
constexpr SocketHandle kNoSocket = -1;

// The open connection's socket, kNoSocket when none.
extern SocketHandle SocketIndex;

// Next data byte 0-255, -1 when nothing is there now, -2 when the connection is lost.
int NetworkReadByte(SocketHandle socket);
// The data bytes that follow in what was received, taken at once: a pointer to them and
// their count (0 when the next byte needs the byte-wise way: a telnet command, held or
// record data, nothing received). They stay valid until the next NetworkReadByte.
int NetworkTakeDataRun(SocketHandle socket, const u8** run);
// The last `count` bytes of the run taken last are not used: they are read again next.
void NetworkGiveBackDataRun(SocketHandle socket, int count);
// Sends the low byte of each unit (telnet doubles 255); nothing when closed.
void NetworkSendByte(SocketHandle socket, u16 unit);
void NetworkSendBlock(SocketHandle socket, const u16* units, int count);
// 0 when closed or not TCP, else sends a telnet BREAK and returns 1.
int NetworkSendBreak(SocketHandle socket);
