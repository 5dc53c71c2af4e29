// The transfer's link to the daemon over Windows Sockets 1.1, one connection at a time on
// the sender thread.
#include "lpr/lprmodule.h"
#include "lpr/lprtransfer.h"

#include "lpr/lprdebug.h"

namespace {

class WinsockLink final : public LprLink {
public:
    bool CreateSocket(u64* out) override
    {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (socket_ == INVALID_SOCKET)
            return false;
        *out = static_cast<u64>(socket_);
        return true;
    }

    bool Resolve(const char* host) override
    {
        address_ = {};
        address_.sin_family = AF_INET;
        address_.sin_addr.s_addr = inet_addr(host);
        if (address_.sin_addr.s_addr != INADDR_NONE)
            return true;
        const hostent* found = gethostbyname(host);
        if (!found || !found->h_addr_list || !found->h_addr_list[0] || found->h_length != 4)
            return false;
        memcpy(&address_.sin_addr, found->h_addr_list[0], 4);
        return true;
    }

    bool FindPrinterPort() override
    {
        const servent* service = getservbyname("printer", nullptr);
        if (!service)
            return false;
        address_.sin_port = static_cast<u_short>(service->s_port);
        return true;
    }

    bool Connect() override
    {
        u_long blocking = 0;
        ioctlsocket(socket_, FIONBIO, &blocking);
        if (connect(socket_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == SOCKET_ERROR)
            return false;
        linger stay = {1, 1};
        setsockopt(socket_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&stay), sizeof stay);
        return true;
    }

    int Send(const u8* data, u32 length) override
    {
        const int n = send(socket_, reinterpret_cast<const char*>(data), static_cast<int>(length), 0);
        return n == SOCKET_ERROR ? -1 : n;
    }

    LprAck WaitAck(u32 timeoutMs) override
    {
        LprAck ack;
        fd_set readable, failed;
        FD_ZERO(&readable);
        FD_ZERO(&failed);
        FD_SET(socket_, &readable);
        FD_SET(socket_, &failed);
        timeval wait = {static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
        const int ready = select(0, &readable, nullptr, &failed, &wait);
        if (ready == 0) {
            ack.kind = LprAck::Timeout;
            return ack;
        }
        if (ready == SOCKET_ERROR) {
            ack.kind = LprAck::SelectError;
            ack.error = WSAGetLastError();
            return ack;
        }
        if (FD_ISSET(socket_, &readable) && FD_ISSET(socket_, &failed)) {
            ack.kind = LprAck::ErrorAndReadable;
            return ack;
        }
        char byte = 0;
        const int n = recv(socket_, &byte, 1, 0);
        if (n == SOCKET_ERROR) {
            ack.kind = LprAck::ReadError;
            ack.error = WSAGetLastError();
            return ack;
        }
        if (n == 0) {
            ack.kind = LprAck::Closed;
            return ack;
        }
        ack.kind = LprAck::Byte;
        ack.byte = static_cast<u8>(byte);
        if (ack.byte > 1) {
            u_long waiting = 0;
            if (ioctlsocket(socket_, FIONREAD, &waiting) == 0 && waiting > 0) {
                char said[LprMessageUnits - 1];
                const int want = static_cast<int>(waiting < sizeof said ? waiting : sizeof said);
                const int got = recv(socket_, said, want, 0);
                if (got > 0)
                    ack.pending.assign(said, static_cast<size_t>(got));
            }
        }
        return ack;
    }

    void Close() override
    {
        if (socket_ == INVALID_SOCKET)
            return;
        shutdown(socket_, 1);
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }

    int LastError() override { return WSAGetLastError(); }
    u32 Now() override { return GetTickCount(); }
    void Log(const wchar16* text) override { LprDebugAddLine(text); }

private:
    SOCKET socket_ = INVALID_SOCKET;
    sockaddr_in address_ = {};
};

}  // namespace

LprOutcome LprTransferOverWinsock(LprRequest& r, int index, wchar16* message)
{
    WinsockLink link;
    const LprOutcome outcome = LprSendJob(r, index, g_lpr.localHost, link, message);
    link.Close();
    return outcome;
}
