// What the socket layer shares with the telnet engine: the receive and send buffers of
// the one connection, the connection type, and the two calls that move bytes.
#pragma once

#include <atomic>

#include "terminal/comms/telnet/network.h"

// One read of the socket: large enough that a flood costs few reads.
constexpr int kReceiveBufferSize = 65536;
constexpr int kSendBufferSize = 511;

struct SocketBuffers {
    u8 receive[kReceiveBufferSize];
    i32 receiveCount;  // bytes not yet taken
    i32 receiveIndex;  // next byte to take
    u8 send[kSendBufferSize];
    i32 sendCount;                 // touched only while the telnet writer's guard is held
    std::atomic<i32> sendPending;  // copy of sendCount that other threads may read
};
extern SocketBuffers NetBuffers;

// 1 while the connection is TCP carrying telnet, -1 when none.
extern std::atomic<i32> ConnectionType;

// Refills NetBuffers.receive: -1 normally (new bytes, if any, counted), -2 when the
// connection is gone; 0 or a count only while a close drains.
int SocketReceive(SocketHandle socket);
// send() of the library; 0 without sending while the socket is not writable.
int SocketSend(SocketHandle socket, const u8* data, int length, int flags);
// True once writing can no longer succeed: the peer closed, the connection was marked
// closed or the user asked to disconnect. A blocked writer gives up then.
bool SocketWriteAbandoned();
