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
// Sends the low byte of each unit (telnet doubles 255); nothing when closed.
void NetworkSendByte(SocketHandle socket, u16 unit);
void NetworkSendBlock(SocketHandle socket, const u16* units, int count);
// 0 when closed or not TCP, else sends a telnet BREAK and returns 1.
int NetworkSendBreak(SocketHandle socket);
