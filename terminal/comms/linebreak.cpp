#include "terminal/comms/linebreak.h"

#include "terminal/comms/network.h"

void SendBreak()
{
    if (SocketIndex != kNoSocket)
        NetworkSendBreak(SocketIndex);
}
