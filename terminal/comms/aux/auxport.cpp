// Pass-through printing to the auxiliary port: opening the configured port (a serial
// port through the serial layer, anything else as a device), the filter's output with
// its retries and question, and the port's input for the host.
#include "terminal/comms/aux/auxport.h"

#include <atomic>
#include <cwchar>

#include "terminal/comms/aux/auxfilter.h"
#include "terminal/comms/aux/auxportlist.h"
#include "terminal/comms/printing/printcharset.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/comms/serial/serialline.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

constexpr u32 kStrPortError = 7121;  // "Error Opening Communications Port"
constexpr int kWriteAttempts = 15;
constexpr DWORD kWriteRetryMs = 50;
constexpr DWORD kDrainCycleMs = 200;
constexpr u8 kXon = 17, kXoff = 19;

struct AuxPortState {
    std::atomic<u8> passThrough{0};
    std::atomic<i32> serialNumber{-1};  // the aux port's number while it is a serial port
    HANDLE device = INVALID_HANDLE_VALUE;
    std::atomic<i32> status{0};
    std::atomic<u8> endRequested{0};
    AuxFilterState filter;
};
AuxPortState g_aux;

void SetStatus(i32 status)
{
    if (g_aux.status.exchange(status) != status)
        RefreshPrinterIndicator();
}

AuxFilterOptions FilterOptions()
{
    AuxFilterOptions o{};
    o.dropFlowBytes = VtMode.displayErrors == 0;
    o.vt52 = EmulationId == kEmuVt52 || !VtMode.ansiMode;
    // An 8-bit CSI closes pass-through in every emulation that offers it: none has a
    // PC character mode in which 155 would be a printable character.
    o.csiIntroduces = true;
    o.autoLf = PrintingValues.AutoLF != 0;
    return o;
}

// The port the host connection or the serial printer holds cannot also be the aux port.
bool PortInUse(int number)
{
    if (HostSerialPort == static_cast<u32>(number))
        return true;
    const SerialPortContext* printer = PrinterSerialContext;
    return printer && printer->record && printer->record->number == static_cast<u32>(number);
}

bool OpenSerialAuxPort(const wchar_t* name)
{
    const int number = SerialPortNumberOf(name);
    if (number < 0)
        return false;
    if (PortInUse(number)) {
        MessageBoxById(kStrPortError);
        return false;
    }
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    SerialPortRecord* record = FindSerialPort(static_cast<u32>(number));
    if (!record) {
        FillSerialPortList(nullptr);
        record = FindSerialPort(static_cast<u32>(number));
    }
    if (!record || SerialOpenDevice(record, SerialRole::Aux) == INVALID_HANDLE_VALUE)
        return false;
    SerialPortContext* context = record->context;
    LockTransmit();
    TransmitRingDiscard(*context->ring);
    UnlockTransmit();
    SerialSetRts(context, true);
    SerialSetDtr(context, true);
    const LineSettings& a = AuxValues.line;
    const SerialLineSettings line{a.comspeed, a.comdatab, a.comparity, a.comstopb, a.comflowc};
    ComputeTransmitPacing();
    if (!SerialConfigure(context, line, kXon, kXoff))
        return false;  // it said why and closed the port
    AuxSerialContext = context;
    g_aux.serialNumber = number;
    return true;
}

bool OpenDeviceAuxPort(const wchar_t* name)
{
    HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    g_aux.device = h;
    g_aux.serialNumber = -1;
    return true;
}

// A device write that failed 15 times in a row: the user decides. The keyboard stays
// locked only while the byte is retried.
void WriteDeviceByte(u8 b)
{
    const bool lockedHere = !KeyboardLocked();
    auto unlock = [lockedHere] {
        if (lockedHere)
            SetKeyboardLocked(false);
    };
    int failures = 0;
    while (g_aux.device != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        if (WriteFile(g_aux.device, &b, 1, &written, nullptr) && written == 1) {
            SetStatus(0);
            unlock();
            return;
        }
        const DWORD error = GetLastError();
        SetStatus(error ? static_cast<i32>(error) : kPrinterWriteFault);
        if (lockedHere)
            SetKeyboardLocked(true);
        if (QuitRequested)
            break;
        if (++failures < kWriteAttempts) {
            Sleep(kWriteRetryMs);
            continue;
        }
        const int answer = AskAuxContinue(g_aux.status);
        if (answer == IDRETRY) {
            failures = 0;
            continue;
        }
        unlock();
        if (answer == IDABORT) {
            // The port is given up: pass-through ends, so the host's text shows again
            // instead of going to a closed port.
            StopPassThroughPrint();
        }
        return;
    }
    unlock();
}

void AuxWriteByte(u8 b)
{
    if (!g_aux.passThrough)
        return;
    if (g_aux.serialNumber >= 0) {
        SerialPortContext* context = AuxSerialContext;
        if (!context)
            return;
        SerialWriteByte(context, b);
        SetStatus(context->ring && context->ring->blocked ? kPrinterHeld : 0);
        return;
    }
    WriteDeviceByte(b);
}

class PortOutput : public AuxFilterOutput {
public:
    u8 Map(u8 b) override { return MapControllerChar(b); }
    void Write(u8 b) override { AuxWriteByte(b); }
    void End() override { StopPassThroughPrint(); }
};

// The serial aux port's waiting bytes go out before it closes; a held line ends by the
// held-line thread's question.
void DrainSerialAuxPort()
{
    SerialPortContext* context = AuxSerialContext;
    while (context && context->ring && !TransmitRingEmpty(*context->ring) && !QuitRequested &&
           AuxSerialContext.load() == context) {
        SerialPump(context, false);
        if (!TransmitRingEmpty(*context->ring))
            Sleep(kDrainCycleMs);
    }
}

}  // namespace

bool OpenAuxPort()
{
    if (BuildAuxPortList(nullptr) < 1)
        return false;
    AuxPortRecord port{};
    if (!FindAuxPortByName(AuxValues.Port, &port))
        return false;
    return IsSerialPortName(port.name) ? OpenSerialAuxPort(port.name) : OpenDeviceAuxPort(port.name);
}

void CloseAuxPort(bool keepOutput)
{
    if (g_aux.device != INVALID_HANDLE_VALUE) {
        CloseHandle(g_aux.device);
        g_aux.device = INVALID_HANDLE_VALUE;
    }
    const i32 number = g_aux.serialNumber.exchange(-1);
    if (number >= 0 && !PortInUse(number))
        SerialClose(static_cast<u32>(number), keepOutput);
    AuxSerialContext = nullptr;
}

void StartPassThroughPrint()
{
    if (g_aux.passThrough)
        return;
    g_aux.filter = AuxFilterState{};
    g_aux.endRequested = 0;
    g_aux.passThrough = OpenAuxPort() ? 1 : 0;
    RefreshPrinterIndicator();
}

void StopPassThroughPrint()
{
    if (!g_aux.passThrough)
        return;
    SetStatus(0);
    // What the line has taken stays with it, unless the user gave the line up.
    const bool keepOutput = !g_aux.endRequested;
    if (g_aux.serialNumber >= 0)
        DrainSerialAuxPort();
    CloseAuxPort(keepOutput);
    g_aux.passThrough = 0;
    g_aux.endRequested = 0;
    SetStatus(0);
    RefreshPrinterIndicator();
}

bool PassThroughActive()
{
    return g_aux.passThrough != 0;
}

bool AuxPortOpen()
{
    if (g_aux.endRequested)
        StopPassThroughPrint();
    return g_aux.passThrough && (AuxSerialContext.load() || g_aux.device != INVALID_HANDLE_VALUE);
}

int AuxPortReadByte()
{
    // A printer port has nothing to say; only a serial aux port's input goes to the host.
    SerialPortContext* context = AuxSerialContext;
    return context ? SerialReadByte(context) : -1;
}

void AuxPortFilter(u8 byte)
{
    PortOutput out;
    AuxFilterByte(g_aux.filter, FilterOptions(), byte, out);
}

i32 AuxPortStatus()
{
    return g_aux.passThrough ? g_aux.status.load() : 0;
}

void SetAuxHeldStatus(bool held)
{
    SetStatus(held ? kAuxStatusHeld : 0);
}

int AskAuxContinue(i32 status)
{
    wchar_t reason[24] = {}, text[160];
    PrinterStatusTextOf(status, reason, 24);
    _snwprintf(text, 159, L"Aux port Status = %d\n\"%ls.\"\nContinue transmitting?", static_cast<int>(status),
               reason);
    text[159] = 0;
    SetModalFlag(1);
    const int r = MessageBoxW(MainWindowHandle, text, L"Printer", MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return r;
}

void RequestAuxPassThroughEnd()
{
    g_aux.endRequested = 1;
    WakeHostReader();
}

namespace {

// A serial auxiliary port's held line is asked about and shown in the aux field; given
// up, it ends pass-through.
HeldLineAnswer AskHeldAuxLine()
{
    const int r = AskAuxContinue(kAuxStatusHeld);
    return r == IDABORT ? HeldLineAnswer::Abort : r == IDIGNORE ? HeldLineAnswer::Ignore : HeldLineAnswer::Retry;
}

void AuxLineEnded(bool aborted)
{
    if (aborted)
        RequestAuxPassThroughEnd();
}

const bool kHeldLineSideFilled = (HeldLineAux = {AskHeldAuxLine, SetAuxHeldStatus, AuxLineEnded}, true);

}  // namespace
