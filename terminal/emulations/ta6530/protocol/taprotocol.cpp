#include "terminal/emulations/ta6530/protocol/taprotocol.h"

#include <new>
#include <vector>

#include "terminal/core/host/capture.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taread.h"

TaProtocolState TaProtocol;

namespace {

constexpr u32 kStrOutOfMemory = 7100;
constexpr u8 kFirstSequence = 0x20, kLastSequence = 0x7F;

struct ReplyRecord {
    ReplyRecord* next = nullptr;
    u8 sequence = kFirstSequence;
    int count = 0;
    u8* data = nullptr;
};
ReplyRecord* g_head = nullptr;
ReplyRecord* g_tail = nullptr;
int g_total = 0;

void OutOfMemory()
{
    MessageBoxById(kStrOutOfMemory);
    PostExitCommand();
}

// Sequence bytes run 0x20-0x7F and start again at 0x20.
u8 NextSequence(u8 s)
{
    return s >= kLastSequence || s < kFirstSequence ? kFirstSequence : static_cast<u8>(s + 1);
}

void SendFrame(const std::vector<u8>& bytes)
{
    std::vector<u16> units(bytes.begin(), bytes.end());
    if (!units.empty())
        HostSendBlock(units.data(), static_cast<int>(units.size()));
}

void SendControl(u8 b)
{
    TaQueueOutput(b);
}

void ClearBlockFlags()
{
    TaProtocol.inBlock = false;
    TaProtocol.endOfText = false;
}

bool OpenRecord()
{
    auto* r = new (std::nothrow) ReplyRecord;
    u8* data = r ? new (std::nothrow) u8[static_cast<std::size_t>(TaProtocol.maxBlock)] : nullptr;
    if (!r || !data) {
        delete r;
        OutOfMemory();
        return false;
    }
    r->data = data;
    if (g_tail) {
        r->sequence = NextSequence(g_tail->sequence);
        g_tail->next = r;
    } else {
        g_head = r;
    }
    g_tail = r;
    return true;
}

void OpenRecordIfNone()
{
    if (!g_tail)
        OpenRecord();
}

void AppendReplyByte(u8 b)
{
    if (g_total >= kTaMaxReplyBytes)
        return;
    if ((!g_tail || g_tail->count >= TaProtocol.maxBlock) && !OpenRecord())
        return;
    g_tail->data[g_tail->count++] = b;
    ++g_total;
}

void DropHead()
{
    ReplyRecord* r = g_head;
    if (!r)
        return;
    g_head = r->next;
    if (!g_head)
        g_tail = nullptr;
    g_total -= r->count;
    delete[] r->data;
    delete r;
}

// A block was opened by SOH or STX.
void OpenBlock(u8 control)
{
    ClearBlockFlags();
    TaFreeReplyChain();
    if (TaProtocol.lastControl != kStx)
        TaProtocol.lastAccepted = 31;
    TaProtocol.state = 4;
    TaProtocol.lastControl = control;
    TaProtocol.stored = control == kSoh ? 0 : -1;
    TaProtocol.check = 0;
    TaProtocol.overflow = false;
    TaProtocol.inBlock = true;
}

void Poll()
{
    ClearBlockFlags();
    TaProtocol.lastControl = kEnq;
    TaFreeReplyChain();
    TaProtocol.state = 0;
    if (TaProtocol.pendingKey)
        TaSendStatusBlock();
}

// A mode-change block: "A" ANSI, "C" conversational.
void ModeBlock()
{
    if (TaProtocol.stored < 1)
        return;
    const u8 first = TaProtocol.buffer[0];
    if (first == 'A')
        TaEnterMode(kTaAnsi);
    else if (first == 'C')
        TaEnterMode(kTaConversational);
}

// The read and report commands: their reply stands for the acknowledgement.
u8 ReplyKindOfBlock()
{
    const u8* b = TaProtocol.buffer;
    const int n = TaProtocol.stored;
    if (n < 2 || b[0] != 27)
        return 0;
    switch (b[1]) {
    case '-': return n >= 3 && (b[2] == 'J' || b[2] == 'K') ? 2 : 0;
    case '<': return 2;
    case '=':
    case ']':
    case 'Q': return n >= 6 ? 2 : 0;
    case '?':
    case '^':
    case '_':
    case 'a': return 1;
    case 'd': return n >= 3 ? 1 : 0;
    default: return 0;
    }
}

void CheckByte(u8 b)
{
    TaProtocolState& p = TaProtocol;
    const bool good = b == p.check && !p.overflow;
    if (!good) {
        SendControl(kNak);
        ClearBlockFlags();
        return;
    }
    if (p.lastControl == kStx) {
        if (p.receivedSequence == p.lastAccepted) {
            SendControl(kAck);  // a repeated block: acknowledged, not shown again
        } else if (p.receivedSequence == NextSequence(p.lastAccepted)) {
            p.lastAccepted = p.receivedSequence;
            p.handOut = true;
            p.handOutNext = 0;
            p.handOutCount = p.stored > 0 ? p.stored : 0;
            p.replyKind = 0;
            p.read.startRow = -1;
            const u8 kind = ReplyKindOfBlock();
            if (kind) {
                p.replyKind = kind;
                OpenRecordIfNone();
                p.lastAccepted = 31;
            } else {
                SendControl(kAck);
            }
        } else {
            SendControl(kNak);
        }
    } else {
        SendControl(kAck);
        ModeBlock();
    }
    ClearBlockFlags();
}

void Data(u8 b)
{
    TaProtocolState& p = TaProtocol;
    p.check ^= b;
    if (p.stored < 0) {
        p.receivedSequence = b;
        p.stored = 0;
    } else if (b == kEtx) {
        p.endOfText = true;
    } else if (p.stored >= p.maxBlock || p.stored >= kTaReceiveBuffer) {
        p.overflow = true;
    } else {
        p.buffer[p.stored++] = b;
    }
}

int FullFraming()
{
    TaProtocolState& p = TaProtocol;
    int b = PopReplayByte();
    if (b < 0)
        b = PopHostByte();
    if (b >= 0) {
        p.tookByte = true;
        return b;
    }
    if (p.handOut && p.handOutNext < p.handOutCount)
        return p.buffer[p.handOutNext++];
    if (p.handOut) {
        p.handOut = false;
        if (p.replyKind) {
            if (p.read.startRow != -1)
                TaBuildReadData();
            TaSendReply();
            p.tookByte = true;
            return -1;
        }
    }
    b = TaFetchRawHostByte();
    if (b < 0)
        return b;
    if (p.endOfText) {
        CheckByte(static_cast<u8>(b));
        return -1;
    }
    // Inside an open block every byte but ETX is data, so a block can carry any code
    // (DC4 0x05 writes five zeros).
    const bool framedBlock = p.inBlock && (p.lastControl == kSoh || p.lastControl == kStx);
    if (b < 22 && !framedBlock) {
        switch (b) {
        case 0: return -1;
        case kSoh:
        case kStx:
            ClearBlockFlags();
            if (p.lastControl == kEnq)
                return -1;
            OpenBlock(static_cast<u8>(b));
            return b == kSoh ? kTaSequenceBreak : -1;
        case kEot:
            ClearBlockFlags();
            if (p.state != 2)
                p.state = 4;
            p.lastControl = kEot;
            return -1;
        case kEnq: Poll(); return -1;
        case kAck:
            ClearBlockFlags();
            p.lastControl = kAck;
            if (p.state == 2) {
                DropHead();
                TaSendReply();
            } else if (p.state == 1) {
                p.pendingKey = 0;
                p.state = 4;
                SendControl(kEot);
            }
            return -1;
        case kNak:
            ClearBlockFlags();
            if (p.state == 1)
                TaSendStatusBlock();
            else if (p.state == 2)
                TaSendReply();
            else if (p.state == 4)
                SendControl(kEot);
            return -1;
        default: return -1;
        }
    }
    if (!p.inBlock)
        return -1;
    Data(static_cast<u8>(b));
    return -1;
}

int ReducedFraming()
{
    TaProtocolState& p = TaProtocol;
    const int b = TaFetchRawHostByte();
    if (b < 0)
        return b;
    if (p.endOfText) {
        ModeBlock();
        ClearBlockFlags();
        return -1;
    }
    switch (b) {
    case 0:
    case kStx:
    case kAck:
    case kNak: return -1;
    case kSoh:
        if (p.lastControl == kStx)
            return -1;
        OpenBlock(kSoh);
        return kTaSequenceBreak;
    case kEot:
        ClearBlockFlags();
        p.state = 4;
        p.lastControl = kEot;
        return -1;
    case kEnq: Poll(); return kTaSequenceBreak;
    default: break;
    }
    if (!p.inBlock) {
        p.lastControl = kStx;
        return b;
    }
    if (b == kEtx)
        p.endOfText = true;
    else if (p.stored < p.maxBlock && p.stored < kTaReceiveBuffer)
        p.buffer[p.stored++] = static_cast<u8>(b);
    return -1;
}

}  // namespace

int TaMaxBlockLength(u32 packetBlock)
{
    if (packetBlock > 7)
        packetBlock = 0;
    return packetBlock == 0 ? 256 : static_cast<int>(packetBlock) * 128 + 124;
}

void TaApplyPacketBlock()
{
    TaProtocol.maxBlock = TaMaxBlockLength(TaSettings.packetBlock);
}

bool TaFullFraming()
{
    return SocketIndex == kNoSocket || TaSettings.telserv == 0;
}

int TaFetchRawHostByte()
{
    int b = -1;
    if (ReplayFileOpen() && !OutputHeld) {
        b = PopReplayByte();
        if (b < 0)
            b = ReplayNextByte();
    } else if (!LocalMode) {
        b = HostReceiveByte();
    }
    if (b >= 0)
        TaProtocol.tookByte = true;
    return b;
}

int TaBlockProtocol()
{
    if (!TaBlockMode())
        return TaFetchRawHostByte();
    return TaFullFraming() ? FullFraming() : ReducedFraming();
}

void TaQueueOutput(u8 byte)
{
    HostSendChar(byte);
}

void TaSendByte(u8 byte)
{
    auto put = [](u8 b) {
        if (TaBlockMode())
            AppendReplyByte(b);
        else
            TaQueueOutput(b);
    };
    TaProtocolState& p = TaProtocol;
    if (DataBitsSetting != 2) {
        if (byte > 127) {
            if (!p.shiftedOut)
                put(14);
            p.shiftedOut = true;
            put(static_cast<u8>(byte & 0x7F));
            return;
        }
        if (p.shiftedOut)
            put(15);
        p.shiftedOut = false;
        put(byte);
        return;
    }
    if (p.shiftedOut)
        put(15);
    p.shiftedOut = false;
    put(byte);
}

void TaSendString(const char* text)
{
    for (; *text; ++text)
        TaSendByte(static_cast<u8>(*text));
}

void TaBeginKeyReply(u8 byte)
{
    if (TaBlockMode()) {
        TaProtocol.replyKind = 1;
        OpenRecordIfNone();
    } else {
        TaQueueOutput(kSoh);
    }
    TaSendByte(byte);
}

void TaEndTransmission()
{
    if (!TaBlockMode()) {
        TaSendByte(13);
        return;
    }
    if (!TaFullFraming())
        TaSendReply();
}

void TaPrepareReadReply()
{
    TaProtocol.replyKind = 2;
    OpenRecordIfNone();
    if (!TaFullFraming()) {
        TaBuildReadData();
        TaSendReply();
    }
}

void TaSendReply()
{
    TaProtocolState& p = TaProtocol;
    if (p.shiftedOut) {
        // A reply never ends shifted out.
        p.shiftedOut = false;
        AppendReplyByte(15);
    }
    std::vector<u8> frame;
    if (!TaFullFraming()) {
        if (p.replyKind == 1)
            frame.push_back(kSoh);
        while (g_head) {
            frame.insert(frame.end(), g_head->data, g_head->data + g_head->count);
            DropHead();
        }
        if (p.replyKind == 1) {
            frame.push_back(kEtx);
            frame.push_back(0);
        } else {
            frame.push_back(kEot);
        }
        SendFrame(frame);
        p.replyKind = 0;
        p.state = 4;
        return;
    }
    if (!g_head) {
        p.replyKind = 0;
        p.state = 4;
        SendControl(kEot);
        return;
    }
    u8 check = 0;
    if (p.replyKind == 1) {
        frame.push_back(kSoh);
    } else {
        frame.push_back(kStx);
        frame.push_back(g_head->sequence);
        check ^= g_head->sequence;
    }
    for (int i = 0; i < g_head->count; ++i) {
        frame.push_back(g_head->data[i]);
        check ^= g_head->data[i];
    }
    frame.push_back(kEtx);
    frame.push_back(static_cast<u8>(check ^ kEtx));
    SendFrame(frame);
    p.state = 2;
}

void TaSendStatusBlock()
{
    TaProtocolState& p = TaProtocol;
    const TaPage& page = TaDisplayPage();
    const u8 pageByte = static_cast<u8>(Ta.displayPage + 32);
    const u8 row = static_cast<u8>(TaPageRow(page, page.cursorLine) + 32);
    const u8 column = static_cast<u8>(page.cursorColumn + 32);
    p.state = 1;
    std::vector<u8> frame{kSoh, p.pendingKey, pageByte, row, column, kEtx};
    if (!TaFullFraming()) {
        frame.push_back(0);
        p.pendingKey = 0;
        p.state = 4;
    } else {
        frame.push_back(static_cast<u8>(column ^ row ^ pageByte ^ p.pendingKey ^ kEtx));
    }
    SendFrame(frame);
}

void TaFreeReplyChain()
{
    while (g_head)
        DropHead();
    g_total = 0;
}

int TaReplyBytes()
{
    return g_total;
}

void TaResetProtocol()
{
    TaProtocolState& p = TaProtocol;
    TaFreeReplyChain();
    ClearBlockFlags();
    p.handOut = false;
    p.handOutNext = p.handOutCount = 0;
    p.stored = 0;
    p.overflow = false;
    p.state = 4;
    p.lastControl = kEot;
    p.lastAccepted = 31;
    p.replyKind = 0;
    p.pendingKey = 0;
    p.read = TaReadRegion{};
    p.shiftedOut = false;
    TaApplyPacketBlock();
}
