// The host connection's serial port: what the host path, the commands and the
// user-interface thread ask of it.
#include "terminal/comms/serial/serial.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/ticks.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/serial/serialline.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/settings/store/profilevalues.h"

std::atomic<u8> SerialOpenPending{0};

namespace {
constexpr u8 kOpenRequest = 1, kCloseRequest = 2;
std::atomic<u8> g_breakRunning{0};

SerialPortContext* Host()
{
    return HostSerialContext.load();
}

void CloseHostPort()
{
    const u32 port = HostSerialPort;
    SerialClose(port);
    HostSerialContext = nullptr;
    HostSerialPort = kNoSerialPort;
    StatusBarSetLinkState(0);
    PostConnectionRefresh();
}
}  // namespace

bool SerialPortRecordExists()
{
    return Host() != nullptr;
}

bool ConfiguredSerialPortOpen()
{
    SerialPortContext* c = Host();
    return c && c->handle != INVALID_HANDLE_VALUE && HostSerialPort == ConnectionValues.comdevice;
}

int SerialReadByte()
{
    return SerialReadByte(Host());
}

bool SerialInputBuffered()
{
    return SerialInputBuffered(Host());
}

void SerialQueueByte(u8 byte)
{
    SerialWriteByte(Host(), byte);
}

void SerialWriteBlock(const u16* units, int n)
{
    SerialWriteBlock(Host(), units, n);
}

bool TransmitPacing()
{
    return TransmitPacingDelay != 0;
}

void WaitTransmitDelay()
{
    const i32 delay = TransmitPacingDelay;
    if (delay > 0)
        Sleep(static_cast<DWORD>(delay));
}

bool SerialSendingSuppressed()
{
    return Connection.noConnection != 0;
}

void RunSerialTransmitPump()
{
    SerialServiceTransmit(Host());
}

void OpenPendingSerialPort()
{
    const u8 requests = SerialOpenPending.exchange(0);
    if (requests & kCloseRequest)
        CloseHostPort();
    if (!(requests & kOpenRequest) || Connection.netproto != 1 || Connection.noConnection)
        return;
    const ConnectionSection& c = ConnectionValues;
    SerialOpen(c.comdevice, c.comdeviceType, {c.comspeed, c.comdatab, c.comparity, c.comstopb, c.comflowc}, 17,
               19);
}

void RequestSerialConnection()
{
    if (Connection.netproto != 1 || Connection.noConnection || ConnectionValues.comdevice == kNoSerialPort)
        return;
    ComputeTransmitPacing();
    g_breakRunning = 0;
    SerialOpenPending |= kOpenRequest;
    WakeHostReader();
}

void RequestSerialClose()
{
    if (HostSerialPort == kNoSerialPort && !Host())
        return;
    if (HostDataThreadRunning()) {
        SerialOpenPending |= kCloseRequest;
        WakeHostReader();
    } else {
        CloseHostPort();
    }
}

void SerialSendBreak()
{
    if (ModalOpen || g_breakRunning || !ConfiguredSerialPortOpen())
        return;
    g_breakRunning = 1;
    if (!PostUiRequest(kUiSerialBreak, 0))
        g_breakRunning = 0;
}

namespace {

void CALLBACK BreakTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    EndSerialBreak();
}

}  // namespace

// On the user-interface thread: the timer ends the break.
void StartSerialBreak()
{
    SerialPortContext* c = Host();
    if (!c || c->handle == INVALID_HANDLE_VALUE || !MainWindowHandle ||
        !SetTimer(MainWindowHandle, kTimerSerialBreak, 300, BreakTimerProc)) {
        g_breakRunning = 0;
        return;
    }
    SetCommBreak(c->handle);
}

void EndSerialBreak()
{
    if (MainWindowHandle)
        KillTimer(MainWindowHandle, kTimerSerialBreak);
    SerialPortContext* c = Host();
    if (c && c->handle != INVALID_HANDLE_VALUE)
        ClearCommBreak(c->handle);
    g_breakRunning = 0;
}

void KillBreakTimer()
{
    if (g_breakRunning && MainWindowHandle)
        KillTimer(MainWindowHandle, kTimerSerialBreak);
    g_breakRunning = 0;
}

void ReleaseSerialPorts()
{
    KillBreakTimer();
    CloseAllSerialPorts();
    FreeSerialPorts();
}
