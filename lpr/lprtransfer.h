// One transfer of a queued request to a line printer daemon: the receive-job command,
// the control file, the data file and the daemon's acknowledgements, with the decision
// between a retry and removal when anything fails. The sockets are behind LprLink, so
// the protocol runs the same against Windows Sockets and against a scripted link.
#pragma once

#include <string>

#include "lpr/lprmessages.h"
#include "lpr/lprrequest.h"

// What waiting for one acknowledgement byte gave.
struct LprAck {
    enum Kind { Byte, Closed, Timeout, SelectError, ErrorAndReadable, ReadError } kind = Timeout;
    int error = 0;        // SelectError, ReadError
    u8 byte = 0;          // Byte
    std::string pending;  // Byte: what the daemon had sent behind a refusal (at most 511 bytes)
};

constexpr u32 LprAckTimeoutMs = 15000;
constexpr u32 LprPieceBytes = 1460;

class LprLink {
public:
    virtual ~LprLink() = default;
    virtual bool CreateSocket(u64* socket) = 0;
    // A dotted address as it is, else the first address the resolver gives.
    virtual bool Resolve(const char* host) = 0;
    // The port of the service "printer".
    virtual bool FindPrinterPort() = 0;
    // Blocking mode, connect, then linger 1 s on close.
    virtual bool Connect() = 0;
    // One send: the count sent (0 only for an empty piece), or -1.
    virtual int Send(const u8* data, u32 length) = 0;
    virtual LprAck WaitAck(u32 timeoutMs) = 0;
    // Shuts the socket down for sending and closes it.
    virtual void Close() = 0;
    virtual int LastError() = 0;
    virtual u32 Now() = 0;
    // A line for the debug window (only called when the request's debug flag is set).
    virtual void Log(const wchar16* text) = 0;
};

enum class LprOutcome {
    Printed,       // every file acknowledged: the request is to be freed
    WaitingRetry,  // state 15, retry time set; `message` holds the failure text
    Removed,       // failed with no retries left: the request is to be freed
};

// Runs one transfer on `r` (a private copy whose `data` is locked); `message` is the
// module's message buffer of LprMessageUnits units.
LprOutcome LprSendJob(LprRequest& r, int index, const char* localHost, LprLink& link, wchar16* message);
