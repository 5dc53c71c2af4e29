#include "terminal/comms/network.h"

SocketHandle SocketIndex = kNoSocket;

// No socket layer yet: there is never a connection.
int NetworkReadByte(SocketHandle)
{
    return -1;
}
void NetworkSendByte(SocketHandle, u16) {}
void NetworkSendBlock(SocketHandle, const u16*, int) {}
int NetworkSendBreak(SocketHandle)
{
    return 0;
}
