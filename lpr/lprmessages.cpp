#include "lpr/lprmessages.h"

#include <cstdarg>
#include <cstdio>

namespace {

struct MessageText {
    int id;
    const char* text;
};

const MessageText kMessages[] = {
    {LprMsgStartRequest, "Start request %d to machine %s"},
    {LprMsgSocketFailed, "Couldn't create socket. socket() Error %d"},
    {LprMsgSocketCreated, "%d - Socket created %d."},
    {LprMsgHostNotFound, "WSAAsyncGetHostByName returns error %d"},
    {LprMsgNoPrinterService, "getservbyname() failed. Error %d"},
    {LprMsgConnectFailed, "Couldn't open socket - connect() failed. Error %d"},
    {LprMsgConnected, "%d - Set up control file ready for transmission"},
    {LprMsgSourceName, "Windows Print"},
    {LprMsgSendPrintRequest, "%d Transmit request to send a print"},
    {LprMsgSendFailed, "Send failed. Error %d"},
    {LprMsgAckReceived, "%d - Ack received"},
    {LprMsgSendFileRequest, "%d - Transmit request to send file (%s)"},
    {LprMsgSendFileData, "%d - Transmit file data"},
    {LprMsgFileSent, "%d - File transmitted. Wait for Ack"},
    {LprMsgRecvFailed, "Recv() Failed. Error %d"},
    {LprMsgLastAck, "%d - Ack received. Closing socket"},
    {LprMsgPrintFinished, "%d - Print Finished"},
    {LprMsgRemoteAborted, "LPR: Remote host has aborted connection "},
    {LprMsgRecvTimedOut, "LPR: Recv() Timed Out"},
};

void FormatList(wchar16* out, const char* format, va_list args)
{
    char narrow[LprMessageUnits];
    int n = std::vsnprintf(narrow, sizeof narrow, format ? format : "", args);
    if (n < 0)
        n = 0;
    if (n > LprMessageUnits - 1)
        n = LprMessageUnits - 1;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<wchar16>(static_cast<u8>(narrow[i]));
    out[n] = 0;
}

}  // namespace

const char* LprMessageFormat(int id)
{
    for (const MessageText& m : kMessages)
        if (m.id == id)
            return m.text;
    return nullptr;
}

void LprFormat(wchar16* out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatList(out, format, args);
    va_end(args);
}

void LprFormatMessage(wchar16* out, int id, ...)
{
    va_list args;
    va_start(args, id);
    FormatList(out, LprMessageFormat(id), args);
    va_end(args);
}
