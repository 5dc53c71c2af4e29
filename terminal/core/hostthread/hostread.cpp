#include "terminal/core/host/hostread.h"

#include <new>

#include "terminal/comms/aux/auxport.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/core/host/capture.h"
#include "terminal/core/screen/display.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"

std::atomic<u8> CameFromKeyboard{0};
std::atomic<u32> HostAttention{0};

namespace {

std::atomic<u8> g_keyboardLocked{0};

// The run of received bytes the reader hands out without asking anything else (see
// attention.h): bytes taken from the connection's buffer once, at the run's start,
// nothing else was waiting and nothing stood between the connection and the emulation.
// Bytes outside 0x01-0x7F go through the family's filter as they are handed out (it may
// drop one, or push back a byte that then comes first).
struct ReceivedRun {
    const u8* next = nullptr;
    const u8* end = nullptr;
    int (*filter)(int) = nullptr;
};
ReceivedRun g_run;

// The send batch: created on the first typed unit, sent whole at 256 units or when the
// reader runs out of keyboard input. Only the host-data thread touches it.
u16* g_batch = nullptr;
int g_batchCount = 0;

// A read step that has no byte and does not end the read.
constexpr int kReadGoOn = -100;

int Leave(int value)
{
    HideCursorForUpdate();
    return value;
}

// What is left of the run goes back to the connection, to be read the long way.
void GiveBackRun()
{
    if (g_run.next != g_run.end)
        NetworkGiveBackDataRun(SocketIndex, static_cast<int>(g_run.end - g_run.next));
    g_run = ReceivedRun{};
}

// A byte has just come from the connection: the bytes after it may form a run when they
// would reach the emulation unchanged and nothing else is waiting to be read first.
void StartRunAfterConnectionByte()
{
    const FamilyHooks& family = ActiveFamily();
    const bool filtered = family.filterReceivedByte != nullptr;
    if (SocketIndex == kNoSocket || HostStackCount() > 0 || InjectedTextPending() || DataBitsSetting != 2 ||
        CaptureFileOpen() || ReplayFileOpen() || (filtered && !family.filterPassesAscii))
        return;
    const u8* bytes = nullptr;
    const int n = NetworkTakeDataRun(SocketIndex, &bytes);
    if (n <= 0)
        return;
    g_run = ReceivedRun{bytes, bytes + n, family.filterReceivedByte};
}

// The next byte of the run, or -1 when the reader must go its long way first. A byte
// the emulation gave back (an ESC that ended a sequence, the second half of an 8-bit
// control) is all that stands before the rest of the run: it is taken here, as the long
// way would take it, and the run goes on.
int RunByte()
{
    for (;;) {
        const u32 attention = HostAttention.load(std::memory_order_relaxed);
        if (attention != 0) {
            if (attention != kAttendPushBack || g_run.next == g_run.end)
                return -1;
            const int b = PopHostByteAlone();
            if (b >= 0)
                CameFromKeyboard.store(0, std::memory_order_relaxed);
            return b;
        }
        if (g_run.next == g_run.end)
            return -1;
        const int b = *g_run.next++;
        if ((b >= 0x01 && b <= 0x7F) || !g_run.filter)
            return b;
        const int filtered = g_run.filter(b);
        if (filtered >= 0)
            return filtered & 0xFF;
    }
}

int NoKeyboardByte()
{
    CameFromKeyboard = 0;
    return -1;
}

bool ReadsForItself(const FamilyHooks& family)
{
    return family.readByte || family.commLoop;
}

bool TypingStaysLocal()
{
    const FamilyHooks& family = ActiveFamily();
    return family.typingStaysLocal && family.typingStaysLocal();
}

// ---- Sources of a byte, in the order they are asked ----

// A replay file feeds the reader unless output is held or the keyboard locked.
bool ReplayFeeds()
{
    return ReplayFileOpen() && !OutputHeld && !g_keyboardLocked;
}

int ReplayByte()
{
    if (!ReplayFeeds())
        return kReadGoOn;
    const int b = ReplayNextByte();
    return b >= 0 ? b : kReadGoOn;
}

// Typed input: returned as data in local mode and with local echo, otherwise collected
// into the send batch. Inside a host sequence only local mode reads the keyboard (it is
// the host then); typed keys otherwise wait for the sequence's end. A sequence the
// keyboard began (`typed`) goes on with typed input.
int KeyboardByte(bool sequence, bool typed)
{
    int b = -1;
    if (LocalMode) {
        b = RouteKeyboardByte();
    } else if (!sequence || typed) {
        do
            b = RouteKeyboardByte();
        while (b == kReadBatched);
    }
    if (b >= 0)
        return b;
    return QuitRequested ? kReadStop : kReadGoOn;
}

// Input from the auxiliary or printer port goes to the host through the batch.
void ForwardPortInput(bool (*open)(), int (*read)())
{
    if (!open())
        return;
    bool any = false;
    for (int b = read(); b >= 0; b = read()) {
        SendBatchPut(static_cast<u8>(b));
        any = true;
    }
    if (any)
        SendBatchFlush();
}

// The connection, after the ports' input went out; offline there is none.
int ConnectionByte()
{
    if (LocalMode)
        return kReadGoOn;
    if (!OutputHeld && !g_keyboardLocked) {
        if (PassThroughActive())
            ForwardPortInput(AuxPortOpen, AuxPortReadByte);
        if (CurrentPrintMode() == 2)
            ForwardPortInput(PrinterPortOpen, PrinterPortReadByte);
        const int b = HostReceiveByte();
        if (b >= 0)
            return b;
    }
    SendBatchFlush();
    return kReadGoOn;
}

// ---- What the reader does while no byte is at hand ----

// A serial port the start-connection command left to open, and a network connection
// the reader was asked to make (a reconnect among them).
void OpenRequestedConnection()
{
    if (SerialOpenPending)
        OpenPendingSerialPort();
    if (ConnectionStartState == 2) {
        HideCursorForUpdate();
        ConnectionStartState = 3;
        if (ConnectNetworkSession(Connection.netproto, Connection.netname) == -1)
            ConnectionStartState = 0;
    }
}

// Data held back for a telnet timing mark: nothing is read until the host answers.
bool AwaitTimingMark()
{
    if (!TelnetTimingMarkPending())
        return false;
    HideCursorForUpdate();
    HostWaitForInput();
    return true;
}

// The idle work of the user-interface side: the cursor shown, palette, bell, status,
// and the serial transmitter kept going.
void RunIdleSteps()
{
    ShowCursorWhenIdle();
    RunIdleUpdates();
    RunSerialTransmitPump();
}

// Sleeps until something can arrive, unless typed keys wait (sent one by one under
// transmit pacing) or the telnet layer or the serial port already holds received bytes
// (they hand over a filled buffer only on the next call). A typed sequence waits for
// the keyboard alone: received bytes stay where they are until it ends.
void WaitUntilInputMayArrive(bool sequence, bool typed)
{
    const bool keyboardReadable = !sequence || LocalMode || typed;
    const bool received = !typed && (NetBuffers.receiveCount > 0 || SerialInputBuffered() || ReplayFeeds());
    if (!(keyboardReadable && IsKeyboardInputPending()) && !received)
        HostWaitForInput();
}

// The steps of one idle turn; a result other than kReadGoOn ends the read.
int WaitSteps(bool sequence, bool typed)
{
    if (EmulationHasOwnReader())
        return kReadHandOver;
    OpenRequestedConnection();
    RunEmulationIdleWork();
    if (AwaitTimingMark())
        return kReadNothing;
    RunIdleSteps();
    if (EmulationHasOwnReader())
        return kReadHandOver;
    WaitUntilInputMayArrive(sequence, typed);
    return QuitRequested ? kReadStop : kReadGoOn;
}

// Reads only: each source in turn, then the wait steps, until one gives a result. A
// typed sequence reads the keyboard only.
int ReadEachSource(bool sequence, bool typed)
{
    GiveBackRun();
    if (HostAttention.exchange(0, std::memory_order_acq_rel) & kAttendFrame)
        HostLetFrameThrough();
    if (QuitRequested)
        return Leave(kReadStop);
    for (;;) {
        if (HostHoldRequested())
            return Leave(kReadHeld);
        // No host data is processed while a menu or a modal dialog is open: the reader
        // goes back to the thread's loop, which waits for them. A sequence already begun
        // is read to its end first.
        if (!sequence && (MenuActive || ModalOpen))
            return Leave(kReadHeld);
        if (!sequence)
            ServeViewRequests();
        CameFromKeyboard = 0;
        if (LoginScriptRunning())
            NotifyLoginScriptState();

        int b = typed ? kReadGoOn : ReplayByte();
        if (b == kReadGoOn && EmulationHasOwnReader())
            b = kReadHandOver;
        if (b == kReadGoOn)
            b = KeyboardByte(sequence, typed);
        if (b == kReadGoOn && EmulationHasOwnReader())
            b = kReadHandOver;
        if (b == kReadGoOn && !typed) {
            b = ConnectionByte();
            if (b >= 0)
                StartRunAfterConnectionByte();
        }
        if (b == kReadGoOn)
            b = WaitSteps(sequence, typed);
        if (b != kReadGoOn)
            return Leave(b);
    }
}

int ReadByte(bool sequence)
{
    // The byte before this one came from the keyboard: the sequence it began is typed.
    const bool typed = sequence && CameFromKeyboard.load(std::memory_order_relaxed) != 0;
    if (!typed) {
        const int b = RunByte();
        if (b >= 0)
            return b;
    }
    return ReadEachSource(sequence, typed);
}

}  // namespace

bool EmulationHasOwnReader()
{
    return ReadsForItself(ActiveFamily());
}

int HostReadByte()
{
    return ReadByte(false);
}

int HostReadSequenceByte()
{
    return ReadByte(true);
}

int NextEmulationByte()
{
    const FamilyHooks& family = ActiveFamily();
    if (family.commLoop)
        return -1;
    if (family.readByte)
        return family.readByte();
    return HostReadByte();
}

namespace {

// Hands the bytes of the run that follow to the family's byte handler in one loop, as
// long as nothing needs the reader's attention and no byte needs another way (printer
// controller, auxiliary port): what the per-byte dispatch decides is decided once here.
// Printable bytes go to the family's text writer when it has one.
void ProcessRun(const FamilyHooks& family)
{
    void (*const processChar)(int) = family.processChar;
    int (*const processText)(const u8*, int) = family.processText;
    for (;;) {
        if (PrinterControllerOn() || PassThroughActive() || Screen.historyCount < Screen.historyTarget)
            return;
        if (processText && g_run.next != g_run.end && *g_run.next >= 0x20 && *g_run.next <= 0x7E &&
            HostAttention.load(std::memory_order_relaxed) == 0) {
            const int took = processText(g_run.next, static_cast<int>(g_run.end - g_run.next));
            if (took > 0) {
                g_run.next += took;
                continue;
            }
        }
        const int b = RunByte();
        if (b < 0)
            return;
        processChar(b);
    }
}

}  // namespace

int ProcessHostChar()
{
    // The screen changes only under the frame lock; a frame waiting for it goes first.
    HostHoldFrameLock();
    if (HostAttention.load(std::memory_order_relaxed) & kAttendFrame)
        HostLetFrameThrough();
    const FamilyHooks& family = ActiveFamily();
    if (family.commLoop) {
        // A family that receives whole records runs its own loop.
        if (family.commLoop(1) == -1)
            return 0;
        return QuitRequested ? 0 : 1;
    }
    int value;
    if (family.readByte) {
        value = family.readByte();
        if (family.processChar && FamilyRuns(EmulationId))
            family.processChar(value);
    } else {
        value = HostReadByte();
        if (value == kReadStop)
            return 0;
        // A byte fetched just before a switch to a family that reads for itself is
        // dropped rather than given to the wrong emulation.
        const FamilyHooks& now = ActiveFamily();
        if (value >= 0 && !ReadsForItself(now)) {
            if (Screen.historyCount < Screen.historyTarget)
                CatchUpHistoryView();
            if (PrinterControllerOn()) {
                if (now.printerControllerChar)
                    now.printerControllerChar(value);
                else
                    PrinterControllerByte(static_cast<u8>(value));
            } else if (PassThroughActive()) {
                AuxPortFilter(static_cast<u8>(value));
            } else if (now.processChar) {
                now.processChar(value & 0xFF);
                // The login script sees every byte: it takes them one by one.
                if (!LoginScriptRunning())
                    ProcessRun(now);
            }
        }
    }
    // The login script sees every fetched value; what is not a byte reaches it as -1.
    if (LoginScriptRunning())
        MatchLoginScriptText(value >= 0 ? value : -1);
    return QuitRequested ? 0 : 1;
}

void RunEmulationIdleWork()
{
    // The received data is used up: scrolls counted for a jump are shown now.
    if (DeferredScrollPending())
        FlushDeferredScroll();
    if (auto idle = ActiveFamily().idleWork)
        idle();
    else
        FlushPendingSpan();
}

namespace {
// A keyboard byte handed to the emulation as data.
int TypedData(int b)
{
    CameFromKeyboard = 1;
    return b;
}
}  // namespace

int RouteKeyboardByte()
{
    const FamilyHooks& family = ActiveFamily();
    if (family.readsOwnKeyboard) {
        const int typed = family.keyboardByte ? family.keyboardByte() : -1;
        return typed >= 0 ? typed : NoKeyboardByte();
    }
    if (KeyEventsHeld || !IsKeyboardInputPending()) {
        KeyStringSendType = 0;
        SendBatchFlush();
        return NoKeyboardByte();
    }
    const int unit = PumpKeyboardInput();
    if (unit < 0)
        return NoKeyboardByte();
    const int b = unit & 0xFF;
    switch (KeyStringSendType.load()) {
    case 2: return TypedData(b);  // processed locally, never reaches the host
    case 0:
        if (LocalMode)
            return TypedData(b);
        break;
    case 1: break;
    default: return NoKeyboardByte();
    }
    if (TypingStaysLocal())
        return TypedData(b);
    if (LocalMode)
        return NoKeyboardByte();
    const bool familyEcho = family.typingEchoes && family.typingEchoes();
    if (!LocalEcho && !familyEcho && !TransmitPacing()) {
        SendBatchPut(static_cast<u16>(b));
        return kReadBatched;
    }
    HostSendChar(static_cast<u16>(b));
    if (familyEcho)
        return TypedData(b);
    if (LocalEcho) {
        // The half-duplex echo is shown as if the host had sent it.
        CameFromKeyboard = 0;
        return b;
    }
    return NoKeyboardByte();
}

void SendBatchPut(u16 unit)
{
    if (!g_batch) {
        g_batch = new (std::nothrow) u16[kSendBatchUnits + 2]();
        g_batchCount = 0;
        if (!g_batch)
            return;  // the unit is dropped
    }
    g_batch[g_batchCount++] = unit;
    if (g_batchCount >= kSendBatchUnits)
        SendBatchFlush();
}

void SendBatchFlush()
{
    u16* batch = g_batch;
    const int count = g_batchCount;
    if (!batch)
        return;
    g_batch = nullptr;
    g_batchCount = 0;
    if (count > 0)
        HostSendString(batch, count);
    delete[] batch;
}

void SetKeyboardLocked(bool locked)
{
    const u8 value = locked ? 1 : 0;
    if (g_keyboardLocked.exchange(value) == value)
        return;
    RefreshHoldLockIndicator();
    if (!locked)
        ClearSelectionMarks();
}

bool KeyboardLocked()
{
    return g_keyboardLocked != 0;
}
