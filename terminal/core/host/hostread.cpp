#include "terminal/core/host/hostread.h"

#include <new>

#include "terminal/comms/auxport.h"
#include "terminal/comms/socketio.h"
#include "terminal/comms/capture.h"
#include "terminal/comms/connsettings.h"
#include "terminal/comms/netsession.h"
#include "terminal/comms/telnet.h"
#include "terminal/comms/telnetservices.h"
#include "terminal/comms/loginscript.h"
#include "terminal/comms/printing.h"
#include "terminal/comms/serial.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emuhooks.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/paint/painting.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/frame/uiservices.h"
#include "terminal/emulations/dec/vtchar.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/input/inputpump.h"
#include "terminal/input/keyevents.h"

std::atomic<u8> CameFromKeyboard{0};

namespace {

std::atomic<u8> g_keyboardLocked{0};
thread_local bool g_hostByteInProgress = false;

// The send batch: created on the first typed unit, sent whole at 256 units or when the
// reader runs out of keyboard input. Only the host-data thread touches it.
u16* g_batch = nullptr;
int g_batchCount = 0;

bool IdHasOwnReader(u8 id)
{
    return IsWyseFamily(id) || id == 6 || id == 7 || id == 16 || id == 17 || id == 18 || id == 19 || id == 22;
}

int Leave(int value)
{
    // Returning without a byte, the reader may be away for long (a menu, a hold, a
    // hand-over): the screen is brought up to date first.
    if (value < 0)
        ApplyMergedScroll();
    HideCursorForUpdate();
    return value;
}

int NoKeyboardByte()
{
    CameFromKeyboard = 0;
    return -1;
}

int FetchFrom(HookFamily family)
{
    auto fetch = HooksOf(family).readByte;
    return fetch ? fetch() : -1;
}

void ProcessWith(HookFamily family, int value)
{
    if (auto entry = HooksOf(family).processChar)
        entry(value);
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

int ReadByte(bool sequence)
{
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

        if (ReplayFileOpen() && !OutputHeld && !g_keyboardLocked) {
            const int b = ReplayNextByte();
            if (b >= 0)
                return Leave(b);
        }
        if (EmulationHasOwnReader())
            return Leave(kReadHandOver);

        if (LocalMode) {
            // Offline the keyboard is the host: it feeds sequences as well.
            const int b = RouteKeyboardByte();
            if (b >= 0)
                return Leave(b);
            if (QuitRequested)
                return Leave(kReadStop);
        } else {
            if (!sequence) {
                int b;
                do
                    b = RouteKeyboardByte();
                while (b == kReadBatched);
                if (b >= 0)
                    return Leave(b);
            }
            if (QuitRequested)
                return Leave(kReadStop);
            if (EmulationHasOwnReader())
                return Leave(kReadHandOver);
            if (!OutputHeld && !g_keyboardLocked) {
                if (PassThroughActive())
                    ForwardPortInput(AuxPortOpen, AuxPortReadByte);
                if (CurrentPrintMode() == 2)
                    ForwardPortInput(PrinterPortOpen, PrinterPortReadByte);
                const int b = HostReceiveByte();
                if (b >= 0)
                    return Leave(b);
            }
            SendBatchFlush();
        }

        if (EmulationHasOwnReader())
            return Leave(kReadHandOver);
        if (SerialOpenPending)
            OpenPendingSerialPort();
        if (ConnectionStartState == 2) {
            HideCursorForUpdate();
            ConnectionStartState = 3;
            if (ConnectNetworkSession(Connection.netproto, Connection.netname) == -1)
                ConnectionStartState = 0;
        }
        RunEmulationIdleWork();
        if (TelnetTimingMarkPending()) {
            HideCursorForUpdate();
            HostWaitForInput();
            return Leave(kReadNothing);
        }
        ShowCursorWhenIdle();
        RunIdleUpdates();
        RunSerialTransmitPump();
        if (EmulationHasOwnReader())
            return Leave(kReadHandOver);
        // Typed keys still waiting (sent one by one under transmit pacing) are taken at
        // once, and so are received bytes the telnet layer already holds (it hands over
        // a filled buffer only on the next call, after this idle step); otherwise the
        // reader sleeps until something can arrive.
        const bool keyboardReadable = !sequence || LocalMode;
        if (!(keyboardReadable && IsKeyboardInputPending()) && NetBuffers.receiveCount <= 0)
            HostWaitForInput();
        if (QuitRequested)
            return Leave(kReadStop);
    }
}

}  // namespace

bool EmulationHasOwnReader()
{
    const u8 id = EmulationId;
    if (IsWyseFamily(id)) {
        HideCursorForUpdate();
        return true;
    }
    return IdHasOwnReader(id);
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
    const u8 id = EmulationId;
    if (id == 6 || id == 7)
        return -1;
    if (id == 17)
        return FetchFrom(HookFamily::Ta6530);
    if (id == 18)
        return FetchFrom(HookFamily::Hp);
    if (id == 16)
        return FetchFrom(HookFamily::Ibm3151);
    if (id == 19 || id == 22)
        return FetchFrom(HookFamily::Tvi);
    if (IsWyseFamily(id))
        return FetchFrom(HookFamily::Wyse);
    return HostReadByte();
}

int ProcessHostChar()
{
    // The families with an engine of their own, in the order they are asked.
    int value = -1;
    auto commLoop = [](HookFamily f) {
        auto loop = HooksOf(f).commLoop;
        if (loop && loop(1) == -1)
            return 0;
        return QuitRequested ? 0 : 1;
    };
    if (FamilyActive(HookFamily::Hp)) {
        value = FetchFrom(HookFamily::Hp);
        if (EmulationId == 18)
            ProcessWith(HookFamily::Hp, value);
    } else if (FamilyActive(HookFamily::Ta6530)) {
        value = FetchFrom(HookFamily::Ta6530);
        if (EmulationId == 17)
            ProcessWith(HookFamily::Ta6530, value);
    } else if (FamilyActive(HookFamily::Ibm3270)) {
        return commLoop(HookFamily::Ibm3270);
    } else if (FamilyActive(HookFamily::Ibm3151)) {
        value = FetchFrom(HookFamily::Ibm3151);
        if (EmulationId == 16)
            ProcessWith(HookFamily::Ibm3151, value);
    } else if (FamilyActive(HookFamily::Tvi)) {
        value = FetchFrom(HookFamily::Tvi);
        if (EmulationId == 19 || EmulationId == 22)
            ProcessWith(HookFamily::Tvi, value);
    } else if (FamilyActive(HookFamily::Wyse)) {
        value = FetchFrom(HookFamily::Wyse);
        if (IsWyseFamily(EmulationId)) {
            auto filter = HooksOf(HookFamily::Wyse).printerFilter;
            const int shown = filter ? filter(value) : value;
            if (shown != -1)
                ProcessWith(HookFamily::Wyse, shown);
        }
    } else if (FamilyActive(HookFamily::Ibm5250)) {
        return commLoop(HookFamily::Ibm5250);
    } else {
        value = HostReadByte();
        if (value == kReadStop)
            return 0;
        if (value >= 0 && !IdHasOwnReader(EmulationId)) {
            if (Screen.historyCount < Screen.historyTarget)
                CatchUpHistoryView();
            if (PrinterControllerOn()) {
                if (EmulationActiveFlags.dg)
                    ProcessWith(HookFamily::Dg, value);
                else
                    PrinterControllerByte(static_cast<u8>(value));
            } else if (PassThroughActive()) {
                AuxPortFilter(static_cast<u8>(value));
            } else {
                HostByteScope scope;
                VtProcessChar(value & 0xFF);
            }
        }
    }
    // The login script sees every fetched value; what is not a byte reaches it as -1.
    if (LoginScriptRunning())
        MatchLoginScriptText(value >= 0 ? value : -1);
    return QuitRequested ? 0 : 1;
}

HostByteScope::HostByteScope() : saved_(g_hostByteInProgress)
{
    g_hostByteInProgress = true;
}

HostByteScope::~HostByteScope()
{
    g_hostByteInProgress = saved_;
}

bool HostByteInProgress()
{
    return g_hostByteInProgress;
}

void RunEmulationIdleWork()
{
    // The received data is used up: the screen is brought up to date.
    ApplyMergedScroll();
    for (HookFamily f : {HookFamily::Dg, HookFamily::Ibm3151, HookFamily::Tvi})
        if (FamilyActive(f)) {
            if (auto idle = HooksOf(f).idleWork)
                idle();
            return;
        }
    FlushPendingSpan();
}

int RouteKeyboardByte()
{
    const u8 id = EmulationId;
    if (IsWyseFamily(id) || id == 6 || id == 17 || id == 18 || id == 16 || id == 7)
        return NoKeyboardByte();
    if (!IsKeyboardInputPending()) {
        KeyStringSendType = 0;
        SendBatchFlush();
        return NoKeyboardByte();
    }
    const int unit = PumpKeyboardInput();
    if (unit < 0)
        return NoKeyboardByte();
    const int b = unit & 0xFF;
    switch (KeyStringSendType.load()) {
    case 2:
        return b;  // processed locally, never reaches the host
    case 0: {
        auto tviLocal = HooksOf(HookFamily::Tvi).localEditOn;
        if ((EmulationActiveFlags.tvi && tviLocal && tviLocal()) || LocalMode)
            return b;
        break;
    }
    case 1:
        break;
    default:
        return NoKeyboardByte();
    }
    if (VtLocalEditing())
        return b;
    if (LocalMode)
        return NoKeyboardByte();
    if (!LocalEcho && !TransmitPacing()) {
        SendBatchPut(static_cast<u16>(b));
        return kReadBatched;
    }
    HostSendChar(static_cast<u16>(b));
    if (LocalEcho) {
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
