#include "terminal/comms/serial/linebreak.h"

#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"

void SendBreak()
{
    if (SocketIndex != kNoSocket)
        NetworkSendBreak(SocketIndex);
    else
        SerialSendBreak();
}
