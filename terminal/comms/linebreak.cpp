#include "terminal/comms/linebreak.h"

#include "terminal/comms/network.h"
#include "terminal/comms/serial.h"

void SendBreak()
{
    if (SocketIndex != kNoSocket)
        NetworkSendBreak(SocketIndex);
    else
        SerialSendBreak();
}
