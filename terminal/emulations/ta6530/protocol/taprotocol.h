// The TA6530 block protocol. In the block modes the host sends framed blocks and polls;
// the terminal acknowledges them and answers with framed replies. Full framing (a
// serial line, or telnet with ta_telserv 0): SOH or STX blocks with a sequence byte and
// a check byte, each acknowledged. Reduced framing (telnet with ta_telserv set): the
// data comes unframed, SOH ... ETX blocks only switch modes, replies go at once.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

constexpr u8 kSoh = 1, kStx = 2, kEtx = 3, kEot = 4, kEnq = 5, kAck = 6, kNak = 0x15;

// A negative fetch result that ends any sequence in progress (a new block began).
constexpr int kTaSequenceBreak = -6;
constexpr int kTaReceiveBuffer = 1024;
// Replies kept waiting for the host beyond this are dropped.
constexpr int kTaMaxReplyBytes = 65536;

struct TaReadRegion {
    int startRow = -1, startColumn = 0, endRow = 0, endColumn = 0;
    bool extended = false;
    u8 mask = 0;
};

struct TaProtocolState {
    u8 buffer[kTaReceiveBuffer];
    int maxBlock = 256;
    int stored = 0;  // -1 while the sequence byte of an STX block is awaited
    bool handOut = false;
    int handOutNext = 0, handOutCount = 0;
    bool overflow = false, inBlock = false, endOfText = false;
    u8 check = 0;
    u8 lastControl = kEot;
    u8 lastAccepted = 31;
    u8 receivedSequence = 0;
    u8 state = 4;      // 4 idle, 2 replies being sent, 1 status block sent, 0 polled
    u8 replyKind = 0;  // 1 a reply framed by SOH, 2 read data framed by STX
    u8 pendingKey = 0;
    TaReadRegion read;
    bool shiftedOut = false;  // an SO run is open in 7-bit output
    // Set when a fetch took a byte (or sent a reply): the reader goes on without waiting.
    bool tookByte = false;
};
extern TaProtocolState TaProtocol;

// The next byte for the emulation: 0-255, -1 none yet, kTaSequenceBreak.
int TaBlockProtocol();
// A byte of the connection (or of the replay), -1 when none.
int TaFetchRawHostByte();
bool TaFullFraming();
// ta_packet_block n: n x 128 + 124 bytes, 256 for 0; n is taken as 0-7 so that no block
// can outgrow the receive buffer.
int TaMaxBlockLength(u32 packetBlock);
void TaApplyPacketBlock();

// Sending: into the reply chain in the block modes, else straight to the host; 7-bit
// lines get SO/SI around bytes above 127.
void TaSendByte(u8 byte);
void TaSendString(const char* text);
void TaQueueOutput(u8 byte);
void TaBeginKeyReply(u8 byte);
void TaEndTransmission();
void TaPrepareReadReply();
void TaSendReply();
void TaSendStatusBlock();
// The protocol back to idle (resets): no block, no reply, no key waiting.
void TaResetProtocol();
void TaFreeReplyChain();
// Bytes waiting in the reply chain.
int TaReplyBytes();
