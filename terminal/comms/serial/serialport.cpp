// Opening, configuring and closing serial ports.
#include "terminal/comms/serial/serialport.h"

#include <cwchar>
#include <new>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/serial/serialline.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/stringids.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

std::atomic<SerialPortContext*> HostSerialContext{nullptr};
std::atomic<u32> HostSerialPort{kNoSerialPort};
std::atomic<SerialPortContext*> AuxSerialContext{nullptr};
std::atomic<SerialPortContext*> PrinterSerialContext{nullptr};
std::atomic<i32> TransmitPacingDelay{0};

namespace {
constexpr u32 kStrPortError = 7121;        // "Error Opening Communications Port"
constexpr u32 kStrPortAlreadyOpen = 7150;  // "Communications Port is Already Open"
constexpr int kOpenAttempts = 4;
constexpr DWORD kOpenRetryMs = 250;
constexpr DWORD kThreadEndWaitMs = 3000;

// RTS and DTR as the open sets them (1 = enable).
u8 g_rts = 1, g_dtr = 1;

void InitialDcb(DCB& dcb)
{
    dcb = DCB{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = 9600;
    dcb.fBinary = 1;
    dcb.fTXContinueOnXoff = 1;
    dcb.fInX = 1;
    dcb.XonLim = 512;
    dcb.XoffLim = 1024;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    dcb.ErrorChar = '?';
}

void FreeContext(SerialPortContext* context)
{
    if (!context)
        return;
    delete[] context->readBuffer;
    delete context->ring;
    for (HANDLE e : {context->readOv.hEvent, context->writeOv.hEvent})
        if (e)
            CloseHandle(e);
    delete context;
}

void ForgetContext(SerialPortContext* context)
{
    for (auto* pointer : {&HostSerialContext, &AuxSerialContext, &PrinterSerialContext}) {
        SerialPortContext* expected = context;
        pointer->compare_exchange_strong(expected, nullptr);
    }
}

// Waits for a worker of the port to end; false when it did not in time.
bool WaitThreadEnd(HANDLE thread)
{
    if (!thread)
        return true;
    return WaitForSingleObject(thread, kThreadEndWaitMs) == WAIT_OBJECT_0;
}
}  // namespace

u32 SerialOpenErrorMessage(DWORD error)
{
    // Windows reports a port another program holds as access denied or a sharing
    // violation; ERROR_OPEN_FAILED is what some port drivers say.
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_OPEN_FAILED: return kStrPortAlreadyOpen;
    default: return kStrPortError;
    }
}

u32 ReadSerialRetry()
{
    HKEY key = SettingsOpenKeyRead(VXT("Settings"));
    const u32 saved = KeepCurrentValues;
    KeepCurrentValues = 0;
    const u32 retry = SettingsReadDword(key, VXT("SerialRetry"), 15, 15);
    KeepCurrentValues = saved;
    if (key)
        SettingsCloseKey(key);
    return retry;
}

void ComputeTransmitPacing()
{
    TransmitPacingDelay = TransmitPacingFor(ConnectionValues.etxspeed, ConnectionValues.comspeed);
}

void SerialSetBaud(SerialPortContext* context, u32 speed)
{
    if (context)
        context->dcb.BaudRate = SerialSpeedOf(speed) ? SerialSpeedOf(speed) : 9600;
}

void SerialSetDataBits(SerialPortContext* context, u32 dataBits)
{
    if (context)
        context->dcb.ByteSize = DataBitsOf(dataBits);
}

void SerialSetParity(SerialPortContext* context, u32 parity, u32 check)
{
    if (!context)
        return;
    context->dcb.Parity = static_cast<BYTE>(parity <= 4 ? parity : 0);
    context->dcb.fParity = check == 1 ? 1 : 0;
}

void SerialSetStopBits(SerialPortContext* context, u32 stopBits)
{
    if (context)
        context->dcb.StopBits = static_cast<BYTE>(stopBits <= 2 ? stopBits : 0);
}

void SerialSetFlowControl(SerialPortContext* context, u32 mode, u8 xon, u8 xoff)
{
    if (!context)
        return;
    const FlowControlMode& m = FlowControlModeOf(mode);
    DCB& d = context->dcb;
    d.XonChar = static_cast<char>(xon);
    d.XoffChar = static_cast<char>(xoff);
    d.fOutX = m.outX;
    d.fInX = m.inX;
    d.fOutxCtsFlow = m.ctsFlow;
    d.fRtsControl = m.rtsHandshake ? RTS_CONTROL_HANDSHAKE : g_rts;
    d.fOutxDsrFlow = 0;
    d.fDtrControl = g_dtr;
}

void SerialSetRts(SerialPortContext* context, bool on)
{
    g_rts = on ? 1 : 0;
    if (!context)
        return;
    context->dcb.fRtsControl = g_rts;
    if (context->handle != INVALID_HANDLE_VALUE)
        SetCommState(context->handle, &context->dcb);
}

void SerialSetDtr(SerialPortContext* context, bool on)
{
    g_dtr = on ? 1 : 0;
    if (!context)
        return;
    context->dcb.fDtrControl = g_dtr;
    if (context->handle != INVALID_HANDLE_VALUE)
        SetCommState(context->handle, &context->dcb);
}

HANDLE SerialOpenDevice(SerialPortRecord* record, SerialRole role)
{
    if (Connection.noConnection || !record)
        return INVALID_HANDLE_VALUE;
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    SerialPortContext* context = record->context;
    if (context && context->handle != INVALID_HANDLE_VALUE)
        return context->handle;
    if (!context) {
        context = new (std::nothrow) SerialPortContext;
        if (!context)
            return INVALID_HANDLE_VALUE;
        InitialDcb(context->dcb);
        context->record = record;
        record->context = context;
    }
    context->role = role;
    context->dcb.fRtsControl = g_rts;
    context->dcb.fDtrControl = g_dtr;
    context->readWait = role == SerialRole::Host ? 10 : 0;
    wchar_t path[kSerialPortNameUnits + 8];
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_NOT_FOUND;
    if (SerialDevicePath(record->name, path, static_cast<int>(std::size(path)))) {
        for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
            handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                break;
            error = GetLastError();
            if (QuitRequested)
                break;
            Sleep(kOpenRetryMs);
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        record->context = nullptr;
        FreeContext(context);
        if (!ProfileLoadInProgress && !QuitRequested)
            MessageBoxById(SerialOpenErrorMessage(error));
        return INVALID_HANDLE_VALUE;
    }
    if (!context->readBuffer)
        context->readBuffer = new (std::nothrow) u8[kSerialReadBufferSize]();
    if (!context->ring)
        context->ring = new (std::nothrow) TransmitRing();
    if (!context->readOv.hEvent)
        context->readOv.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!context->writeOv.hEvent)
        context->writeOv.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!context->readBuffer || !context->ring || !context->readOv.hEvent || !context->writeOv.hEvent) {
        CloseHandle(handle);
        record->context = nullptr;
        FreeContext(context);
        MessageBoxById(kStrOutOfMemory);
        return INVALID_HANDLE_VALUE;
    }
    context->readIndex = context->readCount = 0;
    TransmitRingReset(*context->ring);
    SetupComm(handle, kSerialReadBufferSize, kTransmitRingSize);
    context->handle = handle;
    return handle;
}

bool SerialConfigure(SerialPortContext* context, const SerialLineSettings& line, u8 xon, u8 xoff)
{
    if (!context || context->handle == INVALID_HANDLE_VALUE)
        return false;
    SerialSetBaud(context, line.speed);
    SerialSetDataBits(context, line.dataBits);
    SerialSetParity(context, line.parity, 0);
    SerialSetStopBits(context, line.stopBits);
    SerialSetFlowControl(context, line.flowControl, xon, xoff);
    bool applied = SetCommState(context->handle, &context->dcb);
    if (!applied && (context->dcb.ByteSize != 8 || context->dcb.Parity != NOPARITY)) {
        // A line that carries only 8 bits without parity (a pseudo-terminal) refuses
        // some framings; the host path masks the data to 7 bits itself, so the port is
        // still of use.
        DCB eightBits = context->dcb;
        eightBits.ByteSize = 8;
        eightBits.Parity = NOPARITY;
        eightBits.fParity = 0;
        applied = SetCommState(context->handle, &eightBits);
    }
    if (!applied) {
        const DWORD error = GetLastError();
        if (!ProfileLoadInProgress)
            MessageBoxById(SerialOpenErrorMessage(error));
        if (context->record)
            SerialClose(context->record->number);
        return false;
    }
    PurgeComm(context->handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 1000, 0, 1000};
    SetCommTimeouts(context->handle, &timeouts);
    if (!context->run) {
        context->run = 1;
        if (!StartCommEventThread(context))
            context->run = 0;
    }
    EscapeCommFunction(context->handle, SETXON);
    return true;
}

bool SerialOpen(u32 number, u32 kind, const SerialLineSettings& line, u8 xon, u8 xoff)
{
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    SerialServiceTransmit(HostSerialContext);
    if (number == kNoSerialPort)
        return false;
    const u32 previous = HostSerialPort;
    if (previous != kNoSerialPort && previous != number) {
        SerialPortRecord* old = FindSerialPort(previous);
        const bool shared = old && old->context && old->context == PrinterSerialContext.load() &&
                            old->context == AuxSerialContext.load();
        if (!shared)
            SerialClose(previous);
        HostSerialPort = kNoSerialPort;
    }
    if (Connection.noConnection)
        return false;
    EnsureSerialPortList();
    SerialPortRecord* record = FindSerialPort(number);
    if (!record)
        return false;
    record->kind = kind;
    SerialDisplayName(record, Slots.connectionTarget, kSlotUnits);
    if (!record->context || record->context->handle == INVALID_HANDLE_VALUE)
        if (SerialOpenDevice(record, SerialRole::Host) == INVALID_HANDLE_VALUE)
            return false;
    SerialPortContext* context = record->context;
    context->role = SerialRole::Host;
    context->readWait = 10;
    HostSerialContext = context;
    StatusBarSetLinkState(3);
    // Modems and line drivers want RTS and DTR raised apart, before the line is set.
    SerialSetRts(context, true);
    Sleep(100);
    SerialSetDtr(context, true);
    Sleep(100);
    if (!SerialConfigure(context, line, xon, xoff)) {
        StatusBarSetLinkState(0);
        return false;
    }
    HostSerialPort = number;
    StatusBarSetLinkState(1);
    PostConnectionRefresh();
    return true;
}

void SerialClose(u32 number, bool keepOutput)
{
    if (number == kNoSerialPort)
        return;
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    SerialPortRecord* record = FindSerialPort(number);
    SerialPortContext* context = record ? record->context : nullptr;
    if (!context)
        return;
    // The held-line thread leaves its loop once the ring is empty and the run flag is
    // down; it may be waiting for the user's answer, so its end is waited for bounded.
    LockTransmit();
    if (context->ring)
        TransmitRingDiscard(*context->ring);
    context->run = 0;
    UnlockTransmit();
    const bool pendingEnded = WaitThreadEnd(context->pendingThread);
    if (pendingEnded && context->pendingThread) {
        CloseHandle(context->pendingThread);
        context->pendingThread = nullptr;
    }

    LockTransmit();
    if (context->handle != INVALID_HANDLE_VALUE) {
        context->dcb.fRtsControl = RTS_CONTROL_DISABLE;
        context->dcb.fDtrControl = DTR_CONTROL_DISABLE;
        SetCommState(context->handle, &context->dcb);
        SetCommMask(context->handle, 0);  // wakes the comm-event thread
        PurgeComm(context->handle, keepOutput ? PURGE_RXABORT | PURGE_RXCLEAR
                                              : PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    }
    UnlockTransmit();
    const bool eventEnded = WaitThreadEnd(context->eventThread);
    LockTransmit();
    if (context->handle != INVALID_HANDLE_VALUE)
        CloseHandle(context->handle);
    context->handle = INVALID_HANDLE_VALUE;
    if (context->eventThread && eventEnded) {
        CloseHandle(context->eventThread);
        context->eventThread = nullptr;
    }
    if (context->ring)
        TransmitRingRelease(*context->ring);
    if (context->ring && context->ring->blocked) {
        context->ring->blocked = 0;
        SetKeyboardLocked(false);
    }
    ForgetContext(context);
    record->context = nullptr;
    if (HostSerialPort == number)
        HostSerialPort = kNoSerialPort;
    UnlockTransmit();
    // A worker that did not end in time may still touch the context: it is left to it.
    if (pendingEnded && eventEnded)
        FreeContext(context);
}

void CloseAllSerialPorts()
{
    for (SerialPortRecord* r = FirstSerialPort(); r; r = r->next)
        if (r->context)
            SerialClose(r->number);
    HostSerialContext = nullptr;
    AuxSerialContext = nullptr;
    PrinterSerialContext = nullptr;
    HostSerialPort = kNoSerialPort;
}
