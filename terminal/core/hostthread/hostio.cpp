#include "terminal/core/base/commandids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/paintsettings.h"

#include <memory>
#include <new>

#include "terminal/core/host/capture.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/telnet.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/host/testsource.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/macros/keyevents.h"

std::atomic<u8> BellPending{0};

namespace {

constexpr u8 kEsc = 0x1B;
constexpr u8 kCan = 0x18;
constexpr u8 kSub = 0x1A;
constexpr u8 kSt = 0x9C;

bool EightDataBits()
{
    return DataBitsSetting == 2;
}

void ForgetNetworkConnection()
{
    StatusBarSetLinkState(0);
    // The telnet modes of a record session are recomputed by the close.
    DisconnectNetworkSession(SocketIndex);
    SocketIndex = kNoSocket;
    PostConnectionRefresh();
}

void RunOnCloseAction()
{
    // clang-format off
    switch (Connection.onCloseAction) {
    case 1:
        PostMainCommand(kCmdExit);
        break;
    case 2:
        break;
    case 3:
        ConnectionStartState = 2;  // the reader reconnects
        StopLoginScript();
        StartLoginScript();
        break;
    case 4:
        PostMainCommand(Connection.onCloseCommand ? Connection.onCloseCommand : kCmdHostClosed);
        break;
    default:
        PostMainCommand(kCmdHostClosed);
        break;
    }
    // clang-format on
}

// The byte from the line, before capture and the emulation's filter.
int ReceiveFromLine()
{
    if (SocketIndex == kNoSocket) {
        if (TestSourceActive())
            return TestSourceReadByte();
        if (!SerialPortRecordExists())
            return -1;
        const int b = SerialReadByte();
        if (b < 0)
            StatusBarSetLinkState(ConfiguredSerialPortOpen() ? 1 : 0);
        return b;
    }
    if (DisconnectRequested) {
        ForgetNetworkConnection();
        DisconnectRequested = 0;
        return -1;
    }
    const int b = NetworkReadByte(SocketIndex);
    if (b == -1) {
        StatusBarSetLinkState(1);
        return -1;
    }
    if (b < 0) {  // the host closed the connection
        ForgetNetworkConnection();
        if (DisconnectRequested) {
            DisconnectRequested = 0;
            return -1;
        }
        RunOnCloseAction();
        return -1;
    }
    return b;
}

// C1 controls go out as ESC and their 7-bit form unless the 8-bit VT mode may send
// them raw. Returns false when b is to be sent unchanged as an 8-bit byte.
bool C1NeedsEscape(u8 b)
{
    return !(EmulationId == kEmuVt500Bit8 && EightDataBits());
}

}  // namespace

int HostReceiveByte()
{
    int b = PopHostByte();
    if (b >= 0)
        return b;
    // An injected text ends where the next open one (or the connection) goes on.
    while ((b = NextInjectedByte()) < 0 && InjectedTextPending()) {
    }
    if (b < 0) {
        b = ReceiveFromLine();
        if (b < 0)
            return -1;
    }
    b &= EightDataBits() ? 0xFF : 0x7F;

    if (CaptureFileOpen()) {
        if (CaptureDiverting()) {
            if (b == kEsc || b == kCan || b == kSub || b == kSt) {
                EndDivertingCapture();
                PushBackInputByte(static_cast<u8>(b));
            } else if (!(CaptureDebugMode() && TelnetRawCaptureActive())) {
                AppendCaptureByte(static_cast<u8>(b));
            }
            return -1;
        }
        if (!(CaptureDebugMode() && TelnetRawCaptureActive()))
            AppendCaptureByte(static_cast<u8>(b));
    }
    auto filter = ActiveFamily().filterReceivedByte;
    const int filtered = filter ? filter(b) : b;
    return filtered < 0 ? -1 : (filtered & 0xFF);
}

void HostSendChar(u16 c)
{
    const FamilyHooks& family = ActiveFamily();
    if (family.sendChar) {
        family.sendChar(c);
        return;
    }
    if (LocalMode)
        return;
    u8 b = static_cast<u8>(c & 0xFF);
    if (b >= 0x80 && b <= 0x9F && PaintSettings.characterMode != 4 && !family.sendsC1Raw) {
        if (!C1NeedsEscape(b)) {
            HostSendRawByte(b);
            return;
        }
        HostSendRawByte(kEsc);
        b = static_cast<u8>(b - 0x40);
    }
    if (!EightDataBits())
        b &= 0x7F;
    HostSendRawByte(b);
}

void HostSendString(const u16* units, int n)
{
    if (!units || n < 1)
        return;
    const FamilyHooks& family = ActiveFamily();
    const bool keptLocal = family.typingStaysLocal && family.typingStaysLocal();
    if (keptLocal || LocalMode || KeyStringSendType == 2 || ModalOpen) {
        PushKeyboardString(units, n);
        return;
    }
    std::unique_ptr<u16[]> out(new (std::nothrow) u16[static_cast<std::size_t>(n) * 2 + 1]());
    if (!out)
        return;  // the send is lost either way
    const bool convertC1 = !family.sendsC1Raw;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        u8 b = static_cast<u8>(units[i] & 0xFF);
        if (b >= 0x80 && b <= 0x9F && (PaintSettings.characterMode != 4 || n >= 2) && convertC1 &&
            C1NeedsEscape(b)) {
            out[count++] = kEsc;
            b = static_cast<u8>(b - 0x40);
        }
        if (!EightDataBits())
            b &= 0x7F;
        out[count++] = b;
    }
    HostSendBlock(out.get(), count);
}

void HostSendRawByte(u8 b)
{
    if (LocalMode)
        return;
    if (SocketIndex != kNoSocket) {
        StatusBarSetLinkState(2);
        NetworkSendByte(SocketIndex, b);
        WaitTransmitDelay();
        return;
    }
    if (TestSourceActive()) {
        const u16 unit = b;
        TestSourceSend(&unit, 1);
        return;
    }
    if (ConfiguredSerialPortOpen())
        StatusBarSetLinkState(2);
    SerialQueueByte(b);
}

void HostSendBlock(const u16* units, int n)
{
    if (LocalMode || !units || n < 1)
        return;
    if (SocketIndex != kNoSocket) {
        SetKeyboardLocked(false);
        StatusBarSetLinkState(2);
        NetworkSendBlock(SocketIndex, units, n);
        return;
    }
    if (TestSourceActive()) {
        TestSourceSend(units, n);
        return;
    }
    if (ConfiguredSerialPortOpen())
        StatusBarSetLinkState(2);
    SerialWriteBlock(units, n);
}

bool IsKeyboardInhibited()
{
    auto inhibited = ActiveFamily().keyboardInhibited;
    return inhibited && inhibited();
}

bool IsKeyboardInputPending()
{
    if (DeferredKeysExist() && !IsKeyboardInhibited())
        FlushDeferredKeys();
    const FamilyHooks& family = ActiveFamily();
    if ((family.transmitPending && family.transmitPending()) || KeyboardStackCount() > 0 || KeyStringActive() ||
        BufferedKeyDefinitionCount() > 0 || KeyEventsPending())
        return true;
    // A keystroke macro the family plays goes on one step while nothing else waits.
    if (family.playKeystrokeMacro)
        family.playKeystrokeMacro();
    return false;
}

void RequestBell()
{
    BellPending = 1;
}
