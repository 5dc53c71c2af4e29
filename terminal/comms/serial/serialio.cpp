// Moving bytes through an open serial port: the comm-event thread that signals
// arriving bytes, the reader, the transmit ring and its pump.
#include <algorithm>
#include <mutex>

#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/settings/store/profilevalues.h"

namespace {
constexpr DWORD kEventPollMs = 200;
// The pace at which the comm-event thread asks a driver that reports no events.
constexpr DWORD kIdlePollMs = 10;
// An output queue that does not shrink for this long belongs to a held line.
constexpr DWORD kDrainStallMs = 1000;
constexpr DWORD kRoomWaitMs = 50;

std::recursive_mutex g_transmitLock;
std::atomic<u8> g_pumpBusy{0};

void Signal(SerialPortContext* context)
{
    SetEvent(context->receiveEvent);
    WakeHostReader();
}

// Polls the driver's input count when it cannot say why a wait ended.
void PollForInput(SerialPortContext* context, HANDLE handle)
{
    while (context->run) {
        COMSTAT status{};
        DWORD errors = 0;
        if (ClearCommError(handle, &errors, &status) && status.cbInQue > 0)
            Signal(context);
        Sleep(kIdlePollMs);
    }
}

DWORD WINAPI CommEventThread(void* parameter)
{
    auto* context = static_cast<SerialPortContext*>(parameter);
    HANDLE handle = context->handle;
    HANDLE waitEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD mask = EV_RXCHAR | EV_CTS | (ConnectionValues.detectdcd ? EV_RLSD : 0);
    bool lineEvents = true;
    if (!SetCommMask(handle, mask)) {
        lineEvents = false;
        if (!SetCommMask(handle, EV_RXCHAR))
            context->run = 0;
    }
    while (context->run && waitEvent) {
        OVERLAPPED ov{};
        ov.hEvent = waitEvent;
        ResetEvent(waitEvent);
        DWORD events = 0, unused = 0;
        BOOL ok = WaitCommEvent(handle, &events, &ov);
        if (!ok && GetLastError() == ERROR_IO_PENDING) {
            while (context->run && WaitForSingleObject(waitEvent, kEventPollMs) == WAIT_TIMEOUT) {
            }
            if (!context->run) {
                CancelIo(handle);
                GetOverlappedResult(handle, &ov, &unused, TRUE);
                break;
            }
            ok = GetOverlappedResult(handle, &ov, &unused, FALSE);
        }
        if (!context->run)
            break;
        if (!ok && lineEvents) {
            // The driver refuses line-state events: arriving bytes are enough.
            lineEvents = false;
            SetCommMask(handle, EV_RXCHAR);
            continue;
        }
        if (!ok || events == 0) {
            // A driver that ends waits without a reason (Wine's does, every few ms) is
            // asked for its input count at a steady pace instead.
            PollForInput(context, handle);
            break;
        }
        if (events & EV_RXCHAR)
            Signal(context);
    }
    if (waitEvent)
        CloseHandle(waitEvent);
    return 0;
}

// One byte to the line; false when nothing was written (a held line: a write that
// times out with nothing sent, whatever the hold flags say).
bool WriteOne(SerialPortContext* context, u8 byte)
{
    DWORD written = 0;
    ResetEvent(context->writeOv.hEvent);
    BOOL ok = WriteFile(context->handle, &byte, 1, &written, &context->writeOv);
    if (!ok && GetLastError() == ERROR_IO_PENDING)
        ok = GetOverlappedResult(context->handle, &context->writeOv, &written, TRUE);
    return ok && written == 1;
}

bool Usable(const SerialPortContext* context)
{
    return !Connection.noConnection && context && context->ring;
}
}  // namespace

void LockTransmit()
{
    g_transmitLock.lock();
}

bool TryLockTransmit()
{
    return g_transmitLock.try_lock();
}

void UnlockTransmit()
{
    g_transmitLock.unlock();
}

bool StartCommEventThread(SerialPortContext* context)
{
    if (!context->receiveEvent)
        context->receiveEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!context->receiveEvent)
        return false;
    if (context->eventThread) {
        CloseHandle(context->eventThread);
        context->eventThread = nullptr;
    }
    context->eventThread = CreateThread(nullptr, 0, CommEventThread, context, 0, &context->eventThreadId);
    return context->eventThread != nullptr;
}

int SerialReadByte(SerialPortContext* context)
{
    if (!context || context->handle == INVALID_HANDLE_VALUE || !context->readBuffer)
        return -1;
    if (context->readIndex < context->readCount)
        return context->readBuffer[context->readIndex++];
    if (!context->receiveEvent || WaitForSingleObject(context->receiveEvent, context->readWait) != WAIT_OBJECT_0)
        return -1;
    ResetEvent(context->receiveEvent);
    COMSTAT status{};
    DWORD errors = 0;
    ClearCommError(context->handle, &errors, &status);
    StatusBarSetLinkState(2);
    if (status.cbInQue == 0)
        return -1;
    const DWORD wanted = std::min<DWORD>(status.cbInQue, kSerialReadBufferSize);
    DWORD got = 0;
    ResetEvent(context->readOv.hEvent);
    BOOL ok = ReadFile(context->handle, context->readBuffer, wanted, &got, &context->readOv);
    if (!ok && GetLastError() == ERROR_IO_PENDING)
        ok = GetOverlappedResult(context->handle, &context->readOv, &got, TRUE);
    if (!ok) {
        got = 0;
        ClearCommError(context->handle, &errors, &status);
    }
    context->readIndex = 0;
    context->readCount = got;
    // More was waiting than the buffer holds: the next call reads on without a new event.
    if (status.cbInQue > wanted)
        SetEvent(context->receiveEvent);
    return -1;
}

bool SerialInputBuffered(const SerialPortContext* context)
{
    return context && context->readIndex < context->readCount;
}

i32 SerialRingFree(const SerialPortContext* context)
{
    return context && context->ring ? TransmitRingFree(*context->ring) : kTransmitRingSize;
}

void SerialRingPut(SerialPortContext* context, u8 byte)
{
    if (!Usable(context) || context->handle == INVALID_HANDLE_VALUE)
        return;
    TransmitRing& ring = *context->ring;
    const u32 discards = ring.discards;
    // A full ring makes the sender wait for the line instead of losing a byte from the
    // middle of a report; only the user's Abort or Ignore at the held-line question
    // drops what waits.
    while (!TransmitRingPut(ring, byte)) {
        if (QuitRequested || ring.discards != discards || context->handle == INVALID_HANDLE_VALUE || !context->run)
            return;
        SerialPump(context, false);
        Sleep(kRoomWaitMs);
    }
}

void SerialWriteByte(SerialPortContext* context, u8 byte)
{
    if (!Usable(context))
        return;
    SerialRingPut(context, byte);
    SerialPump(context, false);
}

void SerialWaitOutputDrained(SerialPortContext* context)
{
    if (!context || context->handle == INVALID_HANDLE_VALUE)
        return;
    DWORD lastQueue = MAXDWORD, stalledSince = GetTickCount();
    for (;;) {
        COMSTAT status{};
        DWORD errors = 0;
        if (!ClearCommError(context->handle, &errors, &status) || errors || status.cbOutQue == 0 ||
            status.fCtsHold || status.fDsrHold || status.fRlsdHold || status.fXoffHold || QuitRequested)
            return;
        const DWORD now = GetTickCount();
        if (status.cbOutQue < lastQueue) {
            lastQueue = status.cbOutQue;
            stalledSince = now;
        } else if (now - stalledSince >= kDrainStallMs) {
            return;  // held without saying so: the ring takes the rest
        }
        Sleep(10);
    }
}

void SerialWriteBlock(SerialPortContext* context, const u16* units, int count)
{
    if (!Usable(context) || context->handle == INVALID_HANDLE_VALUE || !units || count < 1)
        return;
    int sent = 0;
    // Bytes already waiting in the ring go first: a block written past them would
    // overtake them once the line is released.
    if (TransmitRingEmpty(*context->ring) && !context->pendingRunning) {
        COMSTAT status{};
        DWORD errors = 0;
        if (ClearCommError(context->handle, &errors, &status) &&
            kTransmitRingSize - static_cast<i64>(status.cbOutQue) < count)
            SerialWaitOutputDrained(context);
        u8* block = new (std::nothrow) u8[static_cast<std::size_t>(count)];
        if (block) {
            for (int i = 0; i < count; ++i)
                block[i] = static_cast<u8>(units[i] & 0xFF);
            DWORD written = 0;
            ResetEvent(context->writeOv.hEvent);
            BOOL ok = WriteFile(context->handle, block, static_cast<DWORD>(count), &written, &context->writeOv);
            if (!ok && GetLastError() == ERROR_IO_PENDING)
                ok = GetOverlappedResult(context->handle, &context->writeOv, &written, TRUE);
            sent = ok ? static_cast<int>(std::min<DWORD>(written, static_cast<DWORD>(count))) : 0;
            delete[] block;
        }
    }
    for (int i = sent; i < count; ++i)
        SerialRingPut(context, static_cast<u8>(units[i] & 0xFF));
    SerialPump(context, false);
}

void SerialPump(SerialPortContext* context, bool force)
{
    if (!Usable(context))
        return;
    if (!force && context->pendingRunning)
        return;  // the held-line thread pumps
    if (force)
        LockTransmit();
    else if (!TryLockTransmit())
        return;  // another thread is pumping now
    TransmitRing& ring = *context->ring;
    if (context->handle == INVALID_HANDLE_VALUE || (!force && context->pendingRunning)) {
        TransmitRingRelease(ring);
        UnlockTransmit();
        return;
    }
    g_pumpBusy = 1;
    while (!TransmitRingEmpty(ring)) {
        COMSTAT status{};
        DWORD errors = 0;
        const bool xoff = ClearCommError(context->handle, &errors, &status) && status.fXoffHold;
        if (xoff || !WriteOne(context, static_cast<u8>(TransmitRingPeek(ring)))) {
            if (!force)
                StartComPendingThread(context);
            break;
        }
        TransmitRingAdvance(ring);
        const i32 delay = TransmitPacingDelay;
        if (context->role == SerialRole::Host && delay > 0)
            Sleep(static_cast<DWORD>(delay));
    }
    g_pumpBusy = 0;
    TransmitRingRelease(ring);
    UnlockTransmit();
}

void SerialServiceTransmit(SerialPortContext* context)
{
    SerialPump(context, false);
}
