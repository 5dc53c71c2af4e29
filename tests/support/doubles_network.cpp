// The network as engine tests see it: bytes to deliver are queued by the test, bytes
// sent are recorded.
#include "support/doubles_network.h"

#include "terminal/comms/telnet/network.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"

SocketHandle SocketIndex = kNoSocket;

namespace doubles {
NetworkDouble& Network()
{
    static NetworkDouble n;
    return n;
}
}  // namespace doubles

int NetworkReadByte(SocketHandle socket)
{
    auto& n = doubles::Network();
    if (n.throughTelnet)
        return TelnetGetByte(socket, ConnectionType);
    std::lock_guard<std::mutex> guard(n.lock);
    if (n.incoming.empty())
        return n.lost ? -2 : -1;
    const int b = n.incoming.front();
    n.incoming.pop_front();
    return b;
}

int NetworkTakeDataRun(SocketHandle, const u8** run)
{
    return doubles::Network().throughTelnet ? TelnetTakeDataRun(run) : 0;
}

void NetworkGiveBackDataRun(SocketHandle, int count)
{
    if (doubles::Network().throughTelnet)
        TelnetGiveBackDataRun(count);
}

void NetworkSendByte(SocketHandle socket, u16 unit)
{
    auto& n = doubles::Network();
    if (n.throughTelnet)
        return TelnetSendData(socket, &unit, 1, false);
    std::lock_guard<std::mutex> guard(n.lock);
    n.sent.push_back(static_cast<u8>(unit));
    n.sendCalls.push_back(1);
}

void NetworkSendBlock(SocketHandle socket, const u16* units, int count)
{
    auto& n = doubles::Network();
    if (n.throughTelnet)
        return TelnetSendData(socket, units, count, false);
    std::lock_guard<std::mutex> guard(n.lock);
    for (int i = 0; i < count; ++i)
        n.sent.push_back(static_cast<u8>(units[i]));
    n.sendCalls.push_back(count);
}

int NetworkSendBreak(SocketHandle socket)
{
    auto& n = doubles::Network();
    if (n.throughTelnet) {
        TelnetSendBreak(socket);
        return 1;
    }
    std::lock_guard<std::mutex> guard(n.lock);
    ++n.breaks;
    return 1;
}
