// The telnet engine: the command state machine over the socket's receive buffer, the
// record buffer of 3270 and 5250 sessions, timing marks with held data, and the output
// buffer with IAC doubling and end-of-record.
#pragma once

#include <atomic>
#include <vector>

#include "terminal/comms/telnet/network.h"

namespace tn {
constexpr u8 IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, GA = 249, EL = 248, EC = 247,
             AYT = 246, AO = 245, IP = 244, BRK = 243, DM = 242, NOP = 241, SE = 240, EOR = 239;
constexpr u8 BINARY = 0, ECHO = 1, SGA = 3, TIMING_MARK = 6, SEND_LOCATION = 23, TERMINAL_TYPE = 24,
             END_OF_RECORD = 25, REGIME_3270 = 29, NEW_ENVIRON = 39, TN3270E = 40;
}  // namespace tn

// A subnegotiation keeps at most this many bytes, the option code included.
constexpr u32 kSubnegotiationMax = 255;
// Held data while a timing mark is outstanding never grows past this: only the tail
// from the last CR is ever delivered, so older bytes can go.
constexpr std::size_t kHeldDataMax = 256 * 1024;
// A record that never sees its IAC EOR stops growing here.
constexpr std::size_t kRecordMax = 1024 * 1024;

struct TelnetOptionState {
    std::atomic<u32> telnetMode{0};  // 1 while a TCP connection carries telnet
    u8 local[256];                   // this side performs the option
    u8 remote[256];                  // the host performs the option
    u8 receiveState;                 // 0 data, 1 IAC, 2-5 WILL/WONT/DO/DONT, 7 in SB, 8 IAC in SB
    u8 sub[kSubnegotiationMax + 1];
    u32 subLength;
    i32 timingMarks;          // outstanding IAC DO TIMING-MARK
    u64 lastMarkTick;         // milliseconds
    std::vector<u8> held;     // data held while marks are outstanding
    std::size_t heldDeliver;  // held bytes to hand out before new ones
    std::size_t heldIndex;
    std::vector<u8> record;                       // data bytes of the current 3270/5250 record
    std::atomic_flag writing = ATOMIC_FLAG_INIT;  // the writer's re-entry guard

    // Negotiation fields.
    u8 tn3270eState;  // 0 none, 1 agreed, 2 type requested, 3 functions requested, 4 done
    u8 functions[5];  // BIND-IMAGE, DATA-STREAM-CTL, RESPONSES, SCS-CTL-CODES, SYSREQ
    wchar16 luName[9];
    u16 sequenceIn, sequenceOut;
    u8 eorPermit3270, regimePermit, eorPermit5250, terminalTypeSent;
    u8 rotationAttempts;  // device-name rotation attempts this connection
    u8 echoAsked;         // DO ECHO went out and the host has not answered it yet
};
extern TelnetOptionState Telnet;

// Milliseconds of a monotonic clock; a test may replace it.
extern u64 (*TelnetTickCount)();

int TelnetGetByte(SocketHandle socket, i32 connectionType);
int TelnetFillInput(SocketHandle socket, i32 connectionType);
int TelnetReceive(SocketHandle socket);
// The plain data bytes at the head of the receive buffer (up to the next IAC, at most a
// few kilobytes), taken at once, while nothing else stands in their way (no command half
// read, no data held for a timing mark, no record session); 0 when there are none.
int TelnetTakeDataRun(const u8** run);
// Puts the last `count` bytes of the run taken last back at the head of the buffer.
void TelnetGiveBackDataRun(int count);
void TelnetRecordByte(u8 byte);
void TelnetEndOfRecord();
void TelnetResetRecord();

void TelnetWrite(SocketHandle socket, const u8* bytes, int count);
int TelnetSocketWrite(SocketHandle socket, const u8* bytes, int count);
// Only "%c" (one byte, passed as int) and "%s" (8-bit NUL-terminated) are known.
void TelnetSendFormat(SocketHandle socket, const char* format, ...);
void TelnetSendData(SocketHandle socket, const u16* units, int count, bool endOfRecord);
void TelnetSendByte(SocketHandle socket, u8 byte);
void TelnetSendTn3270eRecord(SocketHandle socket, u8 dataType, u8 requestFlag, u8 responseFlag, u16 sequence,
                             const u16* units, int count);
void TelnetSendFixedRecord(SocketHandle socket, u8 a, u8 b);
void TelnetSendAbortOutput(SocketHandle socket);
void TelnetSendInterruptProcess(SocketHandle socket);
void TelnetSendBreak(SocketHandle socket);
void TelnetSendTimingMark(SocketHandle socket);
// Sends IAC <command> <option>.
void TelnetSendCommand(SocketHandle socket, u8 command, u8 option);
void TelnetReset();
// The host answered a timing mark (WILL or WONT TIMING-MARK).
void TelnetTimingMarkReply();
// True while received data is held back for an outstanding timing mark.
bool TelnetTimingMarkPending();
