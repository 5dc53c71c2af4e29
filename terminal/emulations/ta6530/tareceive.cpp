#include "terminal/emulations/ta6530/tareceive.h"

#include <atomic>

#include "terminal/core/host/capture.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/socketio.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/screen/display.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/ta6530/tacontrols.h"
#include "terminal/emulations/ta6530/screen/taedit.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/protocol/taprotocol.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"
#include "terminal/emulations/ta6530/screen/tawrite.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"

bool TaCursorDrawn = false;

namespace {

constexpr int kCan = 24, kEsc = 27, kSt = 156;

int g_holdDepth = 0;

// A run of received bytes handed out without asking anything else, as the core's reader
// does (attention.h): taken from the connection's buffer once, while nothing stood
// between the connection and the emulation, and given back as soon as the attention
// word says something else wants serving.
struct ReceivedRun {
    const u8* next = nullptr;
    const u8* end = nullptr;
};
ReceivedRun g_run;

bool Unframed()
{
    return Ta.mode == kTaConversational || Ta.mode == kTaAnsi;
}

void GiveBackRun()
{
    if (g_run.next != g_run.end)
        NetworkGiveBackDataRun(SocketIndex, static_cast<int>(g_run.end - g_run.next));
    g_run = ReceivedRun{};
}

// A byte just came from the connection: the bytes after it form a run when they would
// reach the emulation as they are.
void StartRun()
{
    if (!Unframed() || SocketIndex == kNoSocket || Ta.keyboardHold || HostStackCount() > 0 ||
        InjectedTextPending() || DataBitsSetting != 2 || CaptureFileOpen() || ReplayFileOpen() ||
        LoginScriptRunning() || ActiveFamily().filterReceivedByte)
        return;
    const u8* bytes = nullptr;
    const int n = NetworkTakeDataRun(SocketIndex, &bytes);
    if (n > 0)
        g_run = ReceivedRun{bytes, bytes + n};
}
std::atomic<int> g_viewCode{-1};
// Num Lock changed (the user-interface thread saw it): row 24's field follows here.
std::atomic<bool> g_numLockChanged{false};
// The hold-screen state row 24 shows.
u8 g_holdShown = 0;
std::atomic<int> g_viewPosition{0};

int Leave(int value)
{
    if (TaCursorDrawn)
        HideCursorForUpdate();
    return value;
}

bool StillTa6530()
{
    return EmulationId == kEmuTa6530 && FamilyRuns(kEmuTa6530);
}

// The frame's requests, carried out here where the store is written: the scroll bar's
// moves of the conversational view, Clear Screen and Reset Terminal.
void ServeViewRequest()
{
    if (g_numLockChanged.exchange(false) && Ta.entered)
        TaShowNumLockField();
    if (OutputHeld != g_holdShown && Ta.entered) {
        g_holdShown = OutputHeld;
        TaShowModeField();
    }
    const int code = g_viewCode.exchange(-1);
    if (code < 0 || !Ta.entered)
        return;
    switch (code) {
    case kTaViewClear:
        Ta.previousMode = kTaNoMode;
        TaBuildPageTable();
        TaDrawStatusLine();
        TaShowMessageLine();
        return;
    case kTaViewReset: TaResetTerminal(true); return;
    default: break;
    }
    if (Ta.mode != kTaConversational)
        return;
    switch (code) {
    case 0: TaScrollDown(); break;
    case 1: TaScrollUp(); break;
    case 2: TaPreviousPage(); break;
    case 3: TaNextPage(); break;
    case 4: TaSetScrollPosition(g_viewPosition); break;
    default: break;
    }
}

// A typed unit: the key pump runs key events through the key table and hands over the
// typed bytes. Where it goes depends on the key's routing and the mode.
int KeyInput()
{
    if (!StillTa6530() || !IsKeyboardInputPending())
        return -1;
    if (Ta.row24 == TaRow24::Error)
        TaShowMessageLine();  // the next key takes the error away
    const int unit = PumpKeyboardInput();
    if (unit < 0 || unit > 255)
        return -1;
    const u8 b = static_cast<u8>(unit);
    if (TaPageShown() && TaSettings.marginBell && TaSettings.bellOn && !ModalOpen &&
        TaDisplayPage().cursorColumn + 1 == static_cast<int>(TaSettings.marginBell))
        RequestBell();
    Ta.fromKeyboard = true;
    switch (KeyStringSendType.load()) {
    case 2: return b;  // typed for local processing
    case 0:
        if (LocalMode)
            return b;
        break;
    case 1: break;
    default: Ta.fromKeyboard = false; return -1;
    }
    if (TaBlockMode())
        return b;  // edited on the page, sent when the host reads it
    if (!LocalMode) {
        Ta.fromKeyboard = false;
        TaSendByte(b);
    }
    if (LocalEcho || LocalMode) {
        Ta.fromKeyboard = true;
        return b;
    }
    Ta.fromKeyboard = false;
    return -1;
}

// The connection was asked for: it is made, and the terminal starts afresh.
void OpenRequestedConnection()
{
    if (SerialOpenPending) {
        OpenPendingSerialPort();
        if (Ta.entered)
            TaResetTerminal(true);
    }
    if (ConnectionStartState != 2)
        return;
    ConnectionStartState = 3;
    StatusBarSetLinkState(3);
    if (ConnectNetworkSession(Connection.netproto, Connection.netname) == -1)
        ConnectionStartState = 0;
    if (Ta.entered)
        TaResetTerminal(true);
}

// Input the loop may take now: keys unless a host command is half read, host bytes
// unless a typed one is (or the screen is held).
bool InputMayBeWaiting()
{
    const bool keys = !Ta.hostHold && IsKeyboardInputPending();
    const bool host = !Ta.keyboardHold && !OutputHeld &&
                      (NetBuffers.receiveCount > 0 || SerialInputBuffered() || HostStackCount() > 0 ||
                       ReplayStackCount() > 0 || (ReplayFileOpen() && !OutputHeld) || TaProtocol.handOut);
    return keys || host;
}

void IdleWork(bool wait)
{
    TaRepaintDirtyRows();
    ShowCursorWhenIdle();
    RunIdleUpdates();
    RunSerialTransmitPump();
    if (wait)
        HostWaitForInput();
}

}  // namespace

int Ta6530Receive()
{
    if (g_run.next != g_run.end) {
        if (HostAttention.load(std::memory_order_relaxed) == 0 && !Ta.keyboardHold && Unframed()) {
            Ta.fromKeyboard = false;
            return *g_run.next++;
        }
        GiveBackRun();
    }
    if (QuitRequested)
        return kReadStop;
    for (;;) {
        Ta.fromKeyboard = false;
        if (LoginScriptRunning())
            NotifyLoginScriptState();
        if (HostAttention.load(std::memory_order_relaxed) & kAttendFrame) {
            // The frame is let through with every change recorded.
            TaRepaintDirtyRows();
            HostAttention.fetch_and(~kAttendFrame, std::memory_order_relaxed);
            HostLetFrameThrough();
        }
        if (HostHoldRequested())
            return Leave(kReadHeld);
        const bool inCommand = g_holdDepth > 0;
        if (!inCommand && (MenuActive || ModalOpen))
            return Leave(kReadHeld);
        ServeViewRequest();
        const int printMode = CurrentPrintMode();
        if (printMode == 3 || printMode == 4) {
            IdleWork(true);  // a print run takes the screen as it is
        } else {
            if (!Ta.hostHold) {
                const int b = KeyInput();
                if (b >= 0)
                    return Leave(b);
            }
            bool gotByte = false;
            if (!Ta.keyboardHold && !OutputHeld) {
                TaProtocol.tookByte = false;
                const int b = TaBlockProtocol();
                if (b >= 0 && Unframed())
                    StartRun();
                if (b >= 0 || b == kTaSequenceBreak)
                    return Leave(b);
                gotByte = TaProtocol.tookByte;
            }
            OpenRequestedConnection();
            if (!gotByte)
                IdleWork(!InputMayBeWaiting());
        }
        if (!StillTa6530())
            return Leave(kReadHandOver);
        if (QuitRequested)
            return Leave(kReadStop);
    }
}

int TaReadParameter()
{
    return Ta6530Receive();
}

void TaHoldInput()
{
    if (g_holdDepth++ == 0) {
        if (Ta.fromKeyboard)
            Ta.keyboardHold = true;
        else
            Ta.hostHold = true;
    }
}

void TaEndCommand()
{
    if (g_holdDepth > 0 && --g_holdDepth > 0)
        return;
    Ta.keyboardHold = Ta.hostHold = false;
}

void TaPushBack(u8 byte)
{
    if (Ta.fromKeyboard)
        PushKeyboardInput(byte);
    else if (ReplayFileOpen())
        PushReplayByte(byte);
    else
        PushHostByte(byte);
}

int TaReadByte()
{
    for (;;) {
        const int b = TaReadParameter();
        if (b < 0)
            return kCan;
        if ((b >= 32 && b <= 126) || b == kEsc || b == kSt)
            return b;
        switch (b) {
        case 1:
        case 5:
        case 14:
        case 15: TaControlChar(static_cast<u8>(b)); continue;
        case 28: continue;
        case 26: TaCommandError(); return kCan;
        default: return kCan;
        }
    }
}

int TaReadSequenceByte()
{
    const int b = TaReadByte();
    if (b != kEsc)
        return b;
    const int next = TaReadByte();
    if (next == '\\')
        return kSt;
    if (next == kEsc || next == kSt || next == kCan)
        return kCan;
    TaPushBack(static_cast<u8>(next));
    return kEsc;
}

void TaSkipString()
{
    for (int b = TaReadSequenceByte(); b != kSt && b != kCan; b = TaReadSequenceByte()) {
    }
}

void TaEndReceivedRun()
{
    GiveBackRun();
}

void TaNumLockChanged()
{
    g_numLockChanged = true;
    AttendHostReader(kAttendInput);
    WakeHostReader();
}

void TaRequestView(int code, int position)
{
    g_viewPosition = position;
    g_viewCode = code;
    AttendHostReader(kAttendInput);
    WakeHostReader();
}
