#include "terminal/comms/telnet/telnet.h"

#include <chrono>
#include <cstdarg>
#include <cstring>
#include <new>
#include <thread>

#include "terminal/core/host/capture.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/comms/telnet/telnetreplay.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/comms/telnet/recordsession.h"

TelnetOptionState Telnet;

namespace {
u64 SteadyMilliseconds()
{
    using namespace std::chrono;
    return static_cast<u64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

constexpr u32 kOutOfMemory = 7100;

void OutOfMemory()
{
    MessageBoxById(kOutOfMemory);
    PostExitCommand();
}

bool RecordMode3270()
{
    Tn3270Session* s = Tn3270ActiveSession;
    return s && (s->recordMode || TelnetTn3270eComplete());
}

bool BlockMode5250()
{
    Tn5250Session* s = Tn5250ActiveSession;
    return s && s->blockMode;
}

void UpdateModes()
{
    Tn3270UpdateTelnetModes();
    Tn5250UpdateTelnetModes();
}

// Only the tail from the last CR of held data is ever shown, so a CR empties the buffer
// and an endless line keeps only its newest bytes.
void HoldByte(u8 byte)
{
    try {
        if (byte == 13)
            Telnet.held.clear();
        if (Telnet.held.size() >= kHeldDataMax)
            Telnet.held.erase(Telnet.held.begin(), Telnet.held.begin() + kHeldDataMax / 2);
        Telnet.held.push_back(byte);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
}

// A data byte after the command layer: held, recorded or returned (-1 when it was kept).
int DataByte(u8 byte)
{
    if (Telnet.timingMarks > 0) {
        HoldByte(byte);
        return -1;
    }
    if (TelnetRecordSession()) {
        TelnetRecordByte(byte);
        return -1;
    }
    return byte;
}

void TimingMarkAnswered()
{
    if (--Telnet.timingMarks <= 0) {
        Telnet.timingMarks = 0;
        Telnet.heldDeliver = Telnet.held.size();
        Telnet.heldIndex = 0;
    }
}

void StoreSub(u8 byte)
{
    if (Telnet.subLength < kSubnegotiationMax)
        Telnet.sub[Telnet.subLength++] = byte;
}

// BREAK is followed by neither the timing mark nor the CR in a record session and
// while the family keeps its input to itself (block modes, local editing).
bool BreakEndsAtBrk()
{
    if (Tn3270ActiveSession && Tn3270ActiveSession->recordMode)
        return true;
    if (BlockMode5250())
        return true;
    const TelnetHooks* hooks = SessionTelnetHooks();
    return hooks && hooks->breakEndsInput && hooks->breakEndsInput();
}
}  // namespace

u64 (*TelnetTickCount)() = SteadyMilliseconds;

bool TelnetRecordSession()
{
    return RecordMode3270() || BlockMode5250();
}

bool TelnetTimingMarkPending()
{
    return Telnet.timingMarks > 0;
}

void TelnetTimingMarkReply()
{
    TimingMarkAnswered();
}

int TelnetGetByte(SocketHandle socket, i32 connectionType)
{
    if (NetBuffers.sendPending.load())
        TelnetWrite(socket, nullptr, 0);
    if (Telnet.heldDeliver == 0 && NetBuffers.receiveCount <= 0) {
        const int n = TelnetFillInput(socket, connectionType);
        if (n < 0)
            return n;
        // The bytes are taken on the next call, so the reader runs its idle work between
        // buffers; a 3270 record session goes straight on to keep records together.
        if (!(Tn3270ActiveSession && Tn3270ActiveSession->recordMode))
            return -1;
    }
    return TelnetReceive(socket);
}

namespace {
constexpr int kRunScanBytes = 2048;
}  // namespace

int TelnetTakeDataRun(const u8** run)
{
    SocketBuffers& b = NetBuffers;
    if (b.receiveCount <= 0 || Telnet.receiveState != 0 || Telnet.heldDeliver || Telnet.timingMarks > 0 ||
        TelnetRecordSession())
        return 0;
    // A run is looked over a piece at a time: the reader often gives most of a run back
    // after a few bytes (a byte pushed back, a filter's byte), and a scan of the whole
    // buffer every time would cost it the buffer's length per byte. A longer run is
    // simply taken again.
    const int most = b.receiveCount < kRunScanBytes ? b.receiveCount : kRunScanBytes;
    const u8* start = b.receive + b.receiveIndex;
    const void* iac = std::memchr(start, tn::IAC, static_cast<std::size_t>(most));
    const int n = iac ? static_cast<int>(static_cast<const u8*>(iac) - start) : most;
    b.receiveIndex += n;
    b.receiveCount -= n;
    *run = start;
    return n;
}

void TelnetGiveBackDataRun(int count)
{
    SocketBuffers& b = NetBuffers;
    if (count <= 0 || count > b.receiveIndex)
        return;
    b.receiveIndex -= count;
    b.receiveCount += count;
}

int TelnetFillInput(SocketHandle socket, i32 connectionType)
{
    if (ReplayIntoRecordSession())
        return TelnetReplayFillInput();
    TelnetReplayEnd();  // a replay stopped while its file stood in for the socket
    if (connectionType != 1) {
        NetBuffers.receiveCount = 0;
        return -1;
    }
    if (SocketReceive(socket) == -2) {
        Telnet.telnetMode = 0;
        UpdateModes();
        return -2;
    }
    if (NetBuffers.receiveCount < 1)
        return -1;
    if (TelnetRawCaptureActive())
        CaptureReceivedBlock(NetBuffers.receive + NetBuffers.receiveIndex, NetBuffers.receiveCount);
    return NetBuffers.receiveCount;
}

int TelnetReceive(SocketHandle socket)
{
    for (;;) {
        // Held data goes out ahead of anything received after the mark was answered.
        if (Telnet.heldDeliver) {
            if (Telnet.heldIndex < Telnet.heldDeliver)
                return Telnet.held[Telnet.heldIndex++];
            Telnet.held.clear();
            Telnet.held.shrink_to_fit();
            Telnet.heldDeliver = Telnet.heldIndex = 0;
        }
        if (NetBuffers.receiveCount <= 0)
            return -1;
        const u8 b = NetBuffers.receive[NetBuffers.receiveIndex++];
        --NetBuffers.receiveCount;
        switch (Telnet.receiveState) {
        case 0:
            if (b == tn::IAC) {
                Telnet.receiveState = 1;
                break;
            }
            if (const int d = DataByte(b); d >= 0)
                return d;
            break;
        case 1:
            Telnet.receiveState = 0;
            if (b < tn::EOR)
                break;  // not a command: dropped with its IAC
            switch (b) {
            case tn::EOR:
                if (RecordMode3270()) {
                    TelnetEndOfRecord();
                    return -1;
                }
                if (BlockMode5250())
                    TelnetEndOfRecord();
                break;
            case tn::AO: {
                Tn3270Session* s = Tn3270ActiveSession;
                if (s && s->printJobState == 0)
                    break;
                if (s && s->printJobState != 2) {
                    SessionEndPrintJob();
                    s->printJobState = 0;
                    break;
                }
                const u8 dm[] = {tn::IAC, tn::DM};
                TelnetWrite(socket, dm, 2);
                break;
            }
            case tn::SB:
                Telnet.subLength = 0;
                Telnet.receiveState = 7;
                break;
            case tn::WILL: Telnet.receiveState = 2; break;
            case tn::WONT: Telnet.receiveState = 3; break;
            case tn::DO: Telnet.receiveState = 4; break;
            case tn::DONT: Telnet.receiveState = 5; break;
            case tn::IAC:
                if (const int d = DataByte(b); d >= 0)
                    return d;
                break;
            default: break;  // SE, NOP, DM, BRK, IP, AYT, EC, EL, GA
            }
            break;
        case 2:
            TelnetHandleWill(socket, b);
            UpdateModes();
            Telnet.receiveState = 0;
            break;
        case 3:
            TelnetHandleWont(socket, b);
            UpdateModes();
            Telnet.receiveState = 0;
            break;
        case 4:
            if (!Telnet.local[b])
                TelnetHandleDo(socket, b);
            if (b == tn::SEND_LOCATION)
                TelnetSendLocation(socket);
            UpdateModes();
            Telnet.receiveState = 0;
            break;
        case 5:
            if (Telnet.local[b])
                TelnetSendWont(socket, b);
            UpdateModes();
            Telnet.receiveState = 0;
            break;
        case 7:
            if (b == tn::IAC)
                Telnet.receiveState = 8;
            else
                StoreSub(b);
            break;
        case 8:
            if (b == tn::SE) {
                Telnet.sub[Telnet.subLength] = 0;
                Telnet.receiveState = 0;
                TelnetSubnegotiation(socket);
                break;
            }
            StoreSub(tn::IAC);
            if (b != tn::IAC)
                StoreSub(b);
            Telnet.receiveState = 7;
            break;
        default: Telnet.receiveState = 0; break;
        }
    }
}

void TelnetRecordByte(u8 byte)
{
    if (Telnet.record.size() >= kRecordMax)
        return;  // a record without its end never grows without bound
    try {
        if (Telnet.record.size() == Telnet.record.capacity())
            Telnet.record.reserve(Telnet.record.size() + 256);
        Telnet.record.push_back(byte);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
        return;
    }
    StatusBarSetLinkState(2);
}

void TelnetEndOfRecord()
{
    if (!Telnet.record.empty()) {
        const int n = static_cast<int>(Telnet.record.size());
        if (Tn3270ActiveSession || Tn5250ActiveSession)
            SessionRecord(Telnet.record.data(), n);
        StatusBarSetLinkState(1);
    }
    TelnetResetRecord();
}

void TelnetResetRecord()
{
    TelnetReplayStep();
    Telnet.record.clear();
    Telnet.record.shrink_to_fit();
}

int TelnetSocketWrite(SocketHandle socket, const u8* bytes, int count)
{
    if (count == 0)
        return 0;
    // The session's answers to a replayed host stream have no host to go to.
    if (TelnetReplaySwapped())
        return count;
    if (!Telnet.telnetMode || ConnectionType != 1)
        return -1;
    return SocketSend(socket, bytes, count, 0);
}

void TelnetWrite(SocketHandle socket, const u8* bytes, int count)
{
    // A flush (no new bytes) leaves the work to whoever holds the guard; a writer with
    // bytes waits for it, so nothing handed in is ever dropped.
    while (Telnet.writing.test_and_set(std::memory_order_acquire)) {
        if (count == 0)
            return;
        std::this_thread::yield();
    }
    StatusBarSetLinkState(2);
    SocketBuffers& b = NetBuffers;
    int taken = 0;
    for (;;) {
        if (!Telnet.telnetMode) {
            b.sendCount = 0;
            break;
        }
        const int n = std::min(kSendBufferSize - b.sendCount, count - taken);
        if (n > 0) {
            std::memcpy(b.send + b.sendCount, bytes + taken, static_cast<std::size_t>(n));
            b.sendCount += n;
            taken += n;
        }
        if (b.sendCount == 0)
            break;
        int sent = TelnetSocketWrite(socket, b.send, b.sendCount);
        if (sent < 0)
            sent = 0;
        if (sent > 0) {
            CaptureSentBlock(b.send, sent);
            std::memmove(b.send, b.send + sent, static_cast<std::size_t>(b.sendCount - sent));
            b.sendCount -= sent;
        }
        if (taken >= count)
            break;
        if (sent == 0) {
            // Blocked: FD_WRITE will make the socket writable again, unless the peer is
            // gone, in which case nothing more can leave.
            if (SocketWriteAbandoned()) {
                b.sendCount = 0;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    b.sendPending = b.sendCount;
    Telnet.writing.clear(std::memory_order_release);
    StatusBarSetLinkState(1);
}

void TelnetSendFormat(SocketHandle socket, const char* format, ...)
{
    if (!Telnet.telnetMode || !format)
        return;
    constexpr int kScratch = 356;
    u8 out[kScratch];
    int n = 0;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p && n < kScratch; ++p) {
        if (*p != '%') {
            out[n++] = static_cast<u8>(*p);
            continue;
        }
        if (!*++p)
            break;
        if (*p == 'c') {
            out[n++] = static_cast<u8>(va_arg(args, int));
        } else if (*p == 's') {
            for (const char* s = va_arg(args, const char*); s && *s && n < kScratch; ++s)
                out[n++] = static_cast<u8>(*s);
        } else {
            out[n++] = static_cast<u8>(*p);
        }
    }
    va_end(args);
    TelnetWrite(socket, out, n);
}

void TelnetSendCommand(SocketHandle socket, u8 command, u8 option)
{
    TelnetSendFormat(socket, "\xFF%c%c", command, option);
}

void TelnetSendData(SocketHandle socket, const u16* units, int count, bool endOfRecord)
{
    if (!Telnet.telnetMode)
        return;
    std::vector<u8> out;
    out.reserve(static_cast<std::size_t>(count > 0 ? count : 0) + 2);
    for (int i = 0; i < count; ++i) {
        const u8 b = static_cast<u8>(units[i]);
        out.push_back(b);
        if (b == tn::IAC)
            out.push_back(tn::IAC);
    }
    if (endOfRecord) {
        out.push_back(tn::IAC);
        out.push_back(tn::EOR);
    }
    TelnetWrite(socket, out.data(), static_cast<int>(out.size()));
}

void TelnetSendByte(SocketHandle socket, u8 byte)
{
    const u16 unit = byte;
    TelnetSendData(socket, &unit, 1, false);
}

void TelnetSendTn3270eRecord(SocketHandle socket, u8 dataType, u8 requestFlag, u8 responseFlag, u16 sequence,
                             const u16* units, int count)
{
    std::vector<u16> record{dataType, requestFlag, responseFlag, static_cast<u16>(sequence >> 8),
                            static_cast<u16>(sequence & 0xFF)};
    if (count > 0)
        record.insert(record.end(), units, units + count);
    TelnetSendData(socket, record.data(), static_cast<int>(record.size()), true);
}

void TelnetSendFixedRecord(SocketHandle socket, u8 a, u8 b)
{
    const u16 record[] = {1, 108, 217, a, b};
    TelnetSendData(socket, record, 5, true);
}

void TelnetSendAbortOutput(SocketHandle socket)
{
    TelnetSendFormat(socket, "\xFF%c", tn::AO);
}

void TelnetSendInterruptProcess(SocketHandle socket)
{
    TelnetSendFormat(socket, "\xFF%c", tn::IP);
}

void TelnetSendBreak(SocketHandle socket)
{
    TelnetSendFormat(socket, "\xFF%c", tn::BRK);
    if (BreakEndsAtBrk())
        return;
    if (TelnetConfig.sendBreakTM)
        TelnetSendTimingMark(socket);
    if (TelnetConfig.sendBreakCR)
        TelnetSendByte(socket, 13);
}

void TelnetSendTimingMark(SocketHandle socket)
{
    const u64 now = TelnetTickCount();
    // A mark the host never answered stops counting after 5 seconds.
    if (Telnet.timingMarks > 0 && now - Telnet.lastMarkTick >= 5000)
        Telnet.timingMarks = 0;
    if (Telnet.timingMarks++ == 0) {
        Telnet.held.clear();
        Telnet.heldDeliver = Telnet.heldIndex = 0;
    }
    Telnet.lastMarkTick = now;
    TelnetResetRecord();
    TelnetSendCommand(socket, tn::DO, tn::TIMING_MARK);
}

void TelnetReset()
{
    SocketIndex = kNoSocket;
    Telnet.telnetMode = 0;
    std::memset(Telnet.local, 0, sizeof Telnet.local);
    std::memset(Telnet.remote, 0, sizeof Telnet.remote);
    Telnet.timingMarks = 0;
    Telnet.held.clear();
    Telnet.heldDeliver = Telnet.heldIndex = 0;
    NetBuffers.receiveCount = NetBuffers.receiveIndex = 0;
    Telnet.receiveState = 0;
    Telnet.subLength = 0;
    NetBuffers.sendCount = 0;
    NetBuffers.sendPending = 0;
    Telnet.eorPermit3270 = Telnet.regimePermit = Telnet.eorPermit5250 = 0;
    Telnet.terminalTypeSent = 0;
    Telnet.rotationAttempts = 0;
    Telnet.echoAsked = 0;
    Telnet.tn3270eState = 0;
    std::memset(Telnet.functions, 0, sizeof Telnet.functions);
    Telnet.luName[0] = 0;
    Telnet.sequenceIn = Telnet.sequenceOut = 0;
    UpdateModes();
    if (Tn3270ActiveSession)
        SessionLuName(Telnet.luName);
    if (Tn5250ActiveSession)
        Tn5250ActiveSession->blockMode = 0;
    TelnetResetRecord();
}
