#include "lpr/lprtransfer.h"

#include <algorithm>

#include "lpr/lprprotocol.h"

namespace {

class Transfer {
public:
    Transfer(LprRequest& r, int index, const char* localHost, LprLink& link, wchar16* message)
        : r_(r), index_(index), localHost_(localHost ? localHost : ""), link_(link), message_(message)
    {}

    LprOutcome Run();

private:
    template <typename... Args>
    void Log(int id, Args... args)
    {
        if (!r_.debug)
            return;
        LprFormatMessage(message_, id, args...);
        link_.Log(message_);
    }

    template <typename... Args>
    LprOutcome Fail(int id, Args... args)
    {
        if (id)
            LprFormatMessage(message_, id, args...);
        return FailWithMessage();
    }
    LprOutcome FailWithMessage();

    bool SendAll(const std::string& bytes)
    {
        return link_.Send(reinterpret_cast<const u8*>(bytes.data()), static_cast<u32>(bytes.size())) ==
               static_cast<int>(bytes.size());
    }
    bool WaitAck();
    bool SendContent();

    LprRequest& r_;
    const int index_;
    const std::string localHost_;
    LprLink& link_;
    wchar16* message_;
};

LprOutcome Transfer::Run()
{
    Log(LprMsgStartRequest, index_, r_.host);
    u64 socket = LprNoSocket;
    if (!link_.CreateSocket(&socket))
        return Fail(LprMsgSocketFailed, link_.LastError());
    r_.socket = socket;
    Log(LprMsgSocketCreated, index_, static_cast<int>(socket));
    if (!link_.Resolve(r_.host))
        return Fail(LprMsgHostNotFound, link_.LastError());
    if (!link_.FindPrinterPort())
        return Fail(LprMsgNoPrinterService, link_.LastError());
    if (!link_.Connect())
        return Fail(LprMsgConnectFailed, link_.LastError());
    Log(LprMsgConnected, index_);

    const std::string dataFileName = LprDataFileName(r_.jobNumber, localHost_.c_str());
    const std::string controlFileName = LprControlFileName(dataFileName);
    const size_t nameRoom = sizeof r_.dataFileName - 1;
    std::copy_n(dataFileName.c_str(), std::min(dataFileName.size(), nameRoom) + 1, r_.dataFileName);
    r_.dataFileName[nameRoom] = 0;
    const std::string controlFile = LprControlFile(r_, localHost_.c_str());
    r_.sendPointer = reinterpret_cast<const u8*>(controlFile.data());
    r_.sendLength = static_cast<u32>(controlFile.size());
    r_.bytesSent = 0;

    Log(LprMsgSendPrintRequest, index_);
    if (!SendAll(LprReceiveJobCommand(r_)))
        return Fail(LprMsgSendFailed, link_.LastError());
    r_.state = LprStateSending;
    r_.filesLeft = 1;

    for (;;) {
        if (!WaitAck())
            return Fail(0);
        const bool control = r_.filesLeft == 1;
        const std::string& name = control ? controlFileName : dataFileName;
        Log(LprMsgAckReceived, index_);
        Log(LprMsgSendFileRequest, index_, name.c_str());
        const std::string sub = LprSubcommand(control ? LprReceiveControlFile : LprReceiveDataFile, r_.sendLength,
                                              name);
        const int sent = link_.Send(reinterpret_cast<const u8*>(sub.data()), static_cast<u32>(sub.size()));
        if (sent != static_cast<int>(sub.size())) {
            // The daemon's answer tells whether it still took the sub-command.
            LprFormat(message_, "send returned %d. length was %d. Error %d", sent, static_cast<int>(sub.size()),
                      link_.LastError());
        }
        if (!WaitAck())
            return Fail(0);
        Log(LprMsgSendFileData, index_);
        if (!SendContent())
            return Fail(LprMsgSendFailed, link_.LastError());
        static const u8 end = 0;
        if (link_.Send(&end, 1) != 1)
            return Fail(LprMsgSendFailed, link_.LastError());
        Log(LprMsgFileSent, index_);
        if (control) {
            r_.sendPointer = r_.data;
            r_.sendLength = r_.dataUsed;
            r_.bytesSent = 0;
            r_.filesLeft = 0;
            continue;
        }
        if (!WaitAck())
            return Fail(0);
        Log(LprMsgLastAck, index_);
        break;
    }
    link_.Close();
    r_.socket = LprNoSocket;
    r_.sendPointer = nullptr;
    r_.state = LprStateFree;
    Log(LprMsgPrintFinished, index_);
    return LprOutcome::Printed;
}

bool Transfer::SendContent()
{
    // Full pieces until one shorter than a piece has gone, so content that ends on a piece
    // boundary ends with an empty send. A send that takes part of a piece only moves on by
    // what it took: the daemon counts bytes, and a piece cut short must not end the file.
    for (;;) {
        const u32 piece = std::min(LprPieceBytes, r_.sendLength - r_.bytesSent);
        const int sent = link_.Send(r_.sendPointer + r_.bytesSent, piece);
        if (sent < 0 || static_cast<u32>(sent) > piece || (sent == 0 && piece > 0))
            return false;
        r_.bytesSent += static_cast<u32>(sent);
        if (piece < LprPieceBytes && r_.bytesSent == r_.sendLength)
            return true;
    }
}

bool Transfer::WaitAck()
{
    const LprAck ack = link_.WaitAck(LprAckTimeoutMs);
    switch (ack.kind) {
    case LprAck::Timeout: LprFormatMessage(message_, LprMsgRecvTimedOut); return false;
    case LprAck::SelectError:
    case LprAck::ReadError: LprFormatMessage(message_, LprMsgRecvFailed, ack.error); return false;
    case LprAck::ErrorAndReadable:
    case LprAck::Closed: LprFormatMessage(message_, LprMsgRemoteAborted); return false;
    case LprAck::Byte: break;
    }
    if (ack.byte == 0)
        return true;
    LprFormatMessage(message_, LprMsgRemoteAborted);
    if (ack.byte != LprAbortJob) {
        // A daemon that refuses with text says why: keep it with the failure.
        std::string said(1, static_cast<char>(ack.byte));
        said += ack.pending;
        size_t n = 0;
        while (message_[n])
            ++n;
        for (char c : said) {
            if (n >= LprMessageUnits - 1)
                break;
            message_[n++] = static_cast<wchar16>(static_cast<u8>(c));
        }
        message_[n] = 0;
    }
    return false;
}

LprOutcome Transfer::FailWithMessage()
{
    if (r_.debug)
        link_.Log(message_);
    if (r_.socket != LprNoSocket) {
        link_.Close();
        r_.socket = LprNoSocket;
    }
    r_.sendPointer = nullptr;
    const u32 left = LprRetriesLeft(r_);
    if (left > 0) {
        r_.retriesAndDelay = (r_.retriesAndDelay & ~u32{0xF}) | (left - 1);
        r_.state = LprStateWaitingRetry;
        r_.retryTime = link_.Now() + LprRetryDelay(r_);
        return LprOutcome::WaitingRetry;
    }
    if (r_.debug) {
        wchar16 removed[LprMessageUnits];
        LprFormat(removed, "Request Removed");
        link_.Log(removed);
    }
    return LprOutcome::Removed;
}

}  // namespace

LprOutcome LprSendJob(LprRequest& r, int index, const char* localHost, LprLink& link, wchar16* message)
{
    return Transfer(r, index, localHost, link, message).Run();
}
