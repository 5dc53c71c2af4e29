// The held-line thread: while flow control holds a port's output it keeps pumping
// the transmit ring, and when the line stays held it asks the user whether to go on.
#include <cwchar>

#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"

HeldLineSide HeldLinePrinter, HeldLineAux;

namespace {
constexpr DWORD kCycleMs = 507;
constexpr int kProgressCount = 15;
constexpr u32 kStrSerialPortTitle = 7360;  // "Serial Port"
constexpr u32 kStrUnableToSend = 7361;     // "Unable to send from %s\nContinue?"

using Answer = HeldLineAnswer;

const HeldLineSide& SideOf(const SerialPortContext* context)
{
    return context->role == SerialRole::Printer ? HeldLinePrinter : HeldLineAux;
}

Answer AskHostPort(SerialPortContext* context)
{
    wchar_t name[kSerialPortNameUnits], format[128], text[256], title[64];
    SerialDisplayName(context->record, name, kSerialPortNameUnits);
    LoadLanguageString(InstanceHandle, kStrUnableToSend, format, 128);
    LoadLanguageString(InstanceHandle, kStrSerialPortTitle, title, 64);
    _snwprintf(text, 255, format, name);
    text[255] = 0;
    SetModalFlag(1);
    const int r = MessageBoxW(MainWindowHandle, text, title, MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return r == IDABORT ? Answer::Abort : r == IDIGNORE ? Answer::Ignore : Answer::Retry;
}

Answer Ask(SerialPortContext* context)
{
    if (context->role == SerialRole::Host)
        return AskHostPort(context);
    const HeldLineSide& side = SideOf(context);
    return side.ask ? side.ask() : Answer::Abort;
}

// A held line shows in the indicator of the side that printed: the printer's status or
// the auxiliary port's.
void SetHeldStatus(const SerialPortContext* context, bool held)
{
    if (const HeldLineSide& side = SideOf(context); side.setHeld)
        side.setHeld(held);
}

DWORD WINAPI ComPendingThread(void* parameter)
{
    auto* context = static_cast<SerialPortContext*>(parameter);
    TransmitRing& ring = *context->ring;
    const bool printerSide = context->role != SerialRole::Host;
    int counter = kProgressCount;
    i32 lastTail = -1;  // none yet: the first cycle counts as progress
    bool aborted = false;
    while (context->run && !TransmitRingEmpty(ring)) {
        SerialPump(context, true);
        const i32 tail = ring.tail;
        if (tail != lastTail) {
            counter = kProgressCount;
            if (printerSide)
                SetHeldStatus(context, false);
        } else {
            if (printerSide)
                SetHeldStatus(context, true);
            if (--counter < 0) {
                switch (Ask(context)) {
                case Answer::Abort:
                    aborted = true;
                    TransmitRingDiscard(ring);
                    break;
                case Answer::Retry: counter = static_cast<int>(ReadSerialRetry()); break;
                case Answer::Ignore: TransmitRingDiscard(ring); break;
                }
                if (aborted)
                    break;
            }
        }
        lastTail = tail;
        if (!TransmitRingEmpty(ring))
            Sleep(kCycleMs);
    }
    LockTransmit();
    if (printerSide)
        SetHeldStatus(context, false);
    context->pendingRunning = 0;
    TransmitRingRelease(ring);
    UnlockTransmit();
    if (context->role != SerialRole::Host)
        if (const HeldLineSide& side = SideOf(context); side.ended)
            side.ended(aborted);
    return 0;
}
}  // namespace

bool StartComPendingThread(SerialPortContext* context)
{
    if (!context || context->pendingRunning)
        return true;
    if (context->pendingThread) {
        WaitForSingleObject(context->pendingThread, INFINITE);  // it has said it is done
        CloseHandle(context->pendingThread);
        context->pendingThread = nullptr;
    }
    for (;;) {
        context->pendingRunning = 1;
        context->pendingThread = CreateThread(nullptr, 0, ComPendingThread, context, 0, nullptr);
        if (context->pendingThread)
            return true;
        context->pendingRunning = 0;
        SetModalFlag(1);
        const int r = MessageBoxW(MainWindowHandle, L"Cannot Start ComPending Thread", L"Error",
                                  MB_RETRYCANCEL | MB_ICONSTOP);
        SetModalFlag(0);
        if (r != IDRETRY)
            return false;
    }
}
