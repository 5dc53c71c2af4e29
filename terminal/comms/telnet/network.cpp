#include "terminal/comms/telnet/network.h"

#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/comms/telnet/telnet.h"

SocketHandle SocketIndex = kNoSocket;

int NetworkReadByte(SocketHandle socket)
{
    if (NetworkClosed())
        return -1;
    return TelnetGetByte(socket, ConnectionType);
}

int NetworkTakeDataRun(SocketHandle, const u8** run)
{
    if (NetworkClosed() || ConnectionType != 1)
        return 0;
    return TelnetTakeDataRun(run);
}

void NetworkGiveBackDataRun(SocketHandle, int count)
{
    TelnetGiveBackDataRun(count);
}

void NetworkSendByte(SocketHandle socket, u16 unit)
{
    if (!NetworkClosed())
        TelnetSendData(socket, &unit, 1, false);
}

void NetworkSendBlock(SocketHandle socket, const u16* units, int count)
{
    if (NetworkClosed() || !units)
        return;
    if (ConnectionType == 1) {
        TelnetSendData(socket, units, count, false);
        return;
    }
    for (int i = 0; i < count; ++i)
        TelnetSendData(socket, units + i, 1, false);
}

int NetworkSendBreak(SocketHandle socket)
{
    if (NetworkClosed() || ConnectionType != 1)
        return 0;
    TelnetSendBreak(socket);
    return 1;
}
