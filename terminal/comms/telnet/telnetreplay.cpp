#include "terminal/comms/telnet/telnetreplay.h"

#include <cstring>

#include "terminal/core/host/capture.h"
#include "terminal/comms/telnet/recordsession.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/comms/telnet/telnetoptions.h"

namespace {
constexpr int kAbort = 3, kIgnore = 5;

struct SavedConnection {
    bool swapped = false;
    u32 telnetMode = 0;
    u8 receive[kReceiveBufferSize];
    i32 receiveCount = 0, receiveIndex = 0;
    u8 send[kSendBufferSize];
    i32 sendCount = 0;
};
SavedConnection g_saved;

void UpdateModes()
{
    Tn3270UpdateTelnetModes();
    Tn5250UpdateTelnetModes();
}

void SwapIn()
{
    SocketBuffers& b = NetBuffers;
    g_saved.telnetMode = Telnet.telnetMode;
    std::memcpy(g_saved.receive, b.receive, sizeof b.receive);
    g_saved.receiveCount = b.receiveCount;
    g_saved.receiveIndex = b.receiveIndex;
    std::memcpy(g_saved.send, b.send, sizeof b.send);
    g_saved.sendCount = b.sendCount;
    b.receiveCount = b.receiveIndex = 0;
    b.sendCount = 0;
    b.sendPending = 0;
    g_saved.swapped = true;
    Telnet.telnetMode = 1;
    UpdateModes();
}

u8* StepOption()
{
    if (Tn3270ActiveSession)
        return &StepReplay3270;
    if (Tn5250ActiveSession)
        return &StepReplay5250;
    return nullptr;
}
}  // namespace

bool ReplayIntoRecordSession()
{
    return (Tn3270ActiveSession || Tn5250ActiveSession) && ReplayFileOpen() && !ReplayTargetHost();
}

bool TelnetReplaySwapped()
{
    return g_saved.swapped;
}

int TelnetReplayFillInput()
{
    if (!g_saved.swapped)
        SwapIn();
    SocketBuffers& b = NetBuffers;
    b.receiveIndex = 0;
    const int n = ReplayReadBlock(b.receive, kReceiveBufferSize);
    if (n <= 0) {
        b.receiveCount = 0;
        StopReplay();
        TelnetReplayEnd();
        return -1;
    }
    b.receiveCount = n;
    return n;
}

void TelnetReplayEnd()
{
    if (!g_saved.swapped)
        return;
    SocketBuffers& b = NetBuffers;
    std::memcpy(b.receive, g_saved.receive, sizeof b.receive);
    b.receiveCount = g_saved.receiveCount;
    b.receiveIndex = g_saved.receiveIndex;
    std::memcpy(b.send, g_saved.send, sizeof b.send);
    b.sendCount = g_saved.sendCount;
    b.sendPending = g_saved.sendCount;
    Telnet.telnetMode = g_saved.telnetMode;
    g_saved.swapped = false;
    UpdateModes();
}

bool TelnetReplayStep()
{
    u8* step = StepOption();
    if (!step || !*step || !ReplayFileOpen())
        return true;
    switch (AskReplayStep()) {
    case kAbort:
        StopReplay();
        NetBuffers.receiveCount = 0;
        return false;
    case kIgnore: *step = 0; return true;
    default: return true;
    }
}
