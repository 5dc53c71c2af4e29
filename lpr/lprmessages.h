// The progress and failure texts of the LPR client. They are compiled in (the module
// has no language module) and shown in its debug window.
#pragma once

#include "terminal/core/base/vxtypes.h"

enum LprMessageId : int {
    LprMsgStartRequest = 19052,
    LprMsgSocketFailed = 19053,
    LprMsgSocketCreated = 19054,
    LprMsgHostNotFound = 19056,
    LprMsgNoPrinterService = 19058,
    LprMsgConnectFailed = 19060,
    LprMsgConnected = 19061,
    LprMsgSourceName = 19063,
    LprMsgSendPrintRequest = 19064,
    LprMsgSendFailed = 19065,
    LprMsgAckReceived = 19068,
    LprMsgSendFileRequest = 19069,
    LprMsgSendFileData = 19070,
    LprMsgFileSent = 19071,
    LprMsgRecvFailed = 19072,
    LprMsgLastAck = 19073,
    LprMsgPrintFinished = 19075,
    LprMsgRemoteAborted = 19077,
    LprMsgRecvTimedOut = 19079,
};

// Room of the message buffer, in UTF-16 units with the terminating NUL.
constexpr int LprMessageUnits = 512;

// The printf-style text of a message id (narrow arguments as %s), or nullptr.
const char* LprMessageFormat(int id);

// Formats into `out` (LprMessageUnits units, always NUL-terminated) and widens each
// byte; the text is cut where it does not fit.
void LprFormat(wchar16* out, const char* format, ...);
void LprFormatMessage(wchar16* out, int id, ...);
