#include "terminal/comms/printing/printport.h"

#include <atomic>
#include <cwchar>

#include "terminal/comms/printing/lprbind.h"
#include "terminal/comms/printing/portlist.h"
#include "terminal/comms/printing/printing.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/uirequests.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

namespace {

constexpr u32 kStrPortError = 7121;  // "Error Opening Communications Port"
constexpr u32 kStrContinuePrinting = 6011;
constexpr u32 kStrPrinterCaption = 7417;
constexpr DWORD kRetrySleepMs = 50;
constexpr int kAbort = 3, kRetry = 4, kIgnore = 5;
constexpr u16 kCr = 13, kLf = 10;
constexpr u8 kXon = 17, kXoff = 19;

struct PortState {
    HANDLE file = nullptr;
    int portNumber = -1;
    u32 printRetry = 15, serialWttc = 500, serialRetry = 15;
    u8 crSeen = 0;
    bool lockedKeyboard = false;
    std::atomic<bool> closeAfterHold{false};  // the job ended while the line was held
};
PortState g_port;

// "PrintRetry", "SerialWTTC" and "SerialRetry" of {base}\Settings, read at every open.
void ReadPortSettings()
{
    HKEY key = SettingsOpenKeyRead(VXT("Settings"));
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 0;
    g_port.printRetry = SettingsReadDword(key, VXT("PrintRetry"), 15, 15);
    g_port.serialWttc = SettingsReadDword(key, VXT("SerialWTTC"), 500, 500);
    g_port.serialRetry = SettingsReadDword(key, VXT("SerialRetry"), 15, 15);
    KeepCurrentValues = keep;
    SettingsCloseKey(key);
}

// The number after "COM" in a port name, 0 when there is none.
int ComNumber(const wchar_t* name)
{
    const wchar_t* com = name ? std::wcsstr(name, L"COM") : nullptr;
    if (!com)
        return 0;
    int n = 0;
    for (const wchar_t* p = com + 3; *p >= L'0' && *p <= L'9'; ++p)
        n = n * 10 + (*p - L'0');
    return n;
}

// The host connection or the auxiliary port holds the port (zero-based number).
bool PortTakenElsewhere(int number)
{
    if (HostSerialPort == static_cast<u32>(number))
        return true;
    const SerialPortContext* aux = AuxSerialContext;
    return aux && aux->record && aux->record->number == static_cast<u32>(number);
}

// A serial printer: the port through the serial layer, with the printer's line settings.
int OpenSerialPrinter(int number)
{
    g_port.portNumber = -1;
    if (number < 0 || PortTakenElsewhere(number)) {
        ShowPrintMessage(kStrPortError);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> hold(SerialListLock());
    EnsureSerialPortList();
    SerialPortRecord* record = FindSerialPort(static_cast<u32>(number));
    if (!record) {
        ShowPrintMessage(kStrPortError);
        return 0;
    }
    if (SerialOpenDevice(record, SerialRole::Printer) == INVALID_HANDLE_VALUE)
        return 0;  // the serial layer has said why
    const LineSettings& l = PrintingValues.line;
    const SerialLineSettings line{l.comspeed, l.comdatab, l.comparity, l.comstopb, l.comflowc};
    if (!SerialConfigure(record->context, line, kXon, kXoff))
        return 0;
    PurgeComm(record->context->handle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    PrinterSerialContext = record->context;
    g_port.portNumber = number;
    return 1;
}

// Closes the serial printer's port unless the host connection or the auxiliary port
// shares it. `drain` sends what waits first: the ring, then the driver's queue. A
// printer that holds the line (busy, XOFF) keeps the end of the print-out in the ring
// for the held-line thread; closing now would throw it away, so the port stays open
// until that thread has sent it (or a later job ends, or the program).
void CloseSerialPrinter(bool drain)
{
    SerialPortContext* context = PrinterSerialContext;
    const int number = g_port.portNumber;
    if (context && drain) {
        SerialPump(context, false);
        SerialWaitOutputDrained(context);
        // Said before looking, so that a thread ending right now still asks for the close.
        g_port.closeAfterHold = true;
        if (context->pendingRunning)
            return;
    }
    g_port.closeAfterHold = false;
    PrinterSerialContext = nullptr;
    g_port.portNumber = -1;
    if (!context || PortTakenElsewhere(number))
        return;
    SerialClose(static_cast<u32>(number), drain);
}

bool OpenPortFile(const wchar_t* name)
{
    HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return false;
    }
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 1, g_port.serialWttc};
    SetCommTimeouts(h, &timeouts);
    g_port.file = h;
    return true;
}

void UnlockKeyboardIfOurs()
{
    if (g_port.lockedKeyboard) {
        g_port.lockedKeyboard = false;
        SetKeyboardLocked(false);
    }
}

void CloseFile()
{
    if (g_port.file) {
        CloseHandle(g_port.file);
        g_port.file = nullptr;
    }
}

// Between retries: the lock is given up, and on the user-interface thread its messages
// are served, so the window answers and Cancel Printing can get through.
void SleepBetweenRetries()
{
    PrintLockRelease release;
    if (OnUserInterfaceThread()) {
        MSG msg;
        for (DWORD slept = 0; slept < kRetrySleepMs; slept += 10) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            Sleep(10);
        }
    } else {
        Sleep(kRetrySleepMs);
    }
}

int WriteToFile(u8 b)
{
    int failures = 0;
    for (;;) {
        if (!g_port.file || PrintJob.cancelled || PrintJob.stopRequested) {
            UnlockKeyboardIfOurs();
            return 0;
        }
        DWORD written = 0;
        if (WriteFile(g_port.file, &b, 1, &written, nullptr) && written == 1)
            break;
        const DWORD error = GetLastError();
        SetPrinterStatus(error ? static_cast<i32>(error) : kPrinterWriteFault);
        // While the printer blocks, what the host sends for it must wait too.
        if (CurrentPrintMode() == 2 && !g_port.lockedKeyboard) {
            g_port.lockedKeyboard = true;
            SetKeyboardLocked(true);
        }
        SleepBetweenRetries();
        if (++failures < static_cast<int>(g_port.printRetry * 10 + 1))
            continue;
        const int answer = AskContinuePrinting(static_cast<int>(g_port.printRetry * 10));
        if (answer == kAbort) {
            CloseFile();
            UnlockKeyboardIfOurs();
            return 0;
        }
        if (answer == kIgnore) {
            UnlockKeyboardIfOurs();
            return 1;
        }
        failures = 0;
    }
    SetPrinterStatus(0);
    UnlockKeyboardIfOurs();
    return 1;
}

}  // namespace

int PrinterPortNumber()
{
    return g_port.portNumber;
}

void PrinterHeldLineEnded()
{
    if (g_port.closeAfterHold)
        PostUiRequest(kUiPrintWindows, kPrintCloseHeldPort);
}

void CloseHeldPrinterPort()
{
    PrintLockGuard lock;
    const SerialPortContext* context = PrinterSerialContext;
    if (!g_port.closeAfterHold || PrintJob.continuous || !context || context->pendingRunning)
        return;
    CloseSerialPrinter(true);
}

int OpenPrinterPort()
{
    PrintLockGuard lock;
    if (PrintingValues.ViaLPR)
        return OpenLprJob();
    if (!(PrintJob.continuous && PrintingValues.DirectToPort))
        return 0;
    if (BuildPortList(nullptr, 0) < 1 || !FindSelectedPort(nullptr))
        return 0;
    ReadPortSettings();
    g_port.crSeen = 0;
    const wchar_t* name = PrintingValues.Port;
    const bool serial = std::wcsstr(name, L"COM") != nullptr;
    // A serial port kept open for a held printer that is no longer the one chosen.
    if (g_port.portNumber >= 0 && (!serial || g_port.portNumber != ComNumber(name) - 1))
        CloseSerialPrinter(false);
    if (!serial) {
        if (!OpenPortFile(name))
            return 0;
        g_port.portNumber = -1;
        return 1;
    }
    return OpenSerialPrinter(ComNumber(name) - 1);
}

void ClosePrinterPort()
{
    PrintLockGuard lock;
    if (PrintingValues.ViaLPR && LprRequestOpen()) {
        CloseLprJob();
    } else if (g_port.portNumber >= 0) {
        CloseSerialPrinter(!PrintJob.stopRequested);
    } else {
        CloseFile();
    }
    UnlockKeyboardIfOurs();
    EnableMainWindowForPrinting(true);
}

int PortWriteChar(u16 c)
{
    PrintLockGuard lock;
    if (CurrentPrintMode() == 2 && PrintingValues.AutoLF) {
        const bool afterCr = g_port.crSeen == kCr;
        g_port.crSeen = 0;
        if (c == kCr) {
            g_port.crSeen = kCr;
            return PortWriteByte(kCr) && PortWriteByte(kLf);
        }
        if (c == kLf && afterCr)
            return 1;
    }
    return PortWriteByte(c);
}

int PortWriteByte(u16 c)
{
    PrintLockGuard lock;
    const u8 b = static_cast<u8>(c);
    if (PrintingValues.ViaLPR)
        return LprAddByte(b);
    if (g_port.portNumber < 0)
        return WriteToFile(b);
    SerialPortContext* context = PrinterSerialContext;
    if (!context)
        return 0;
    SerialWriteByte(context, b);
    SetPrinterStatus(context->pendingRunning ? kPrinterHeld : 0);
    return 1;
}

int AskContinuePrinting(int wait)
{
    if (ShuttingDown || QuitRequested)
        return kAbort;
    if (wait == 0)
        return kRetry;
    const int mode = CurrentPrintMode();
    if (mode == 1 || mode == 2)
        return kRetry;
    wchar_t format[256], status[32], text[256], caption[64];
    LoadLanguageString(InstanceHandle, kStrContinuePrinting, format, 256);
    const i32 code = PrinterStatusText(status, 21);
    _snwprintf(text, 255, format, code, status);
    text[255] = 0;
    LoadLanguageString(InstanceHandle, kStrPrinterCaption, caption, 64);
    if (wchar_t* colon = std::wcschr(caption, L':'))
        *colon = 0;
    PrintLockRelease release;
    SetModalFlag(1);
    const int answer = MessageBoxW(nullptr, text, caption, MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION);
    SetModalFlag(0);
    return answer == IDABORT ? kAbort : (answer == IDIGNORE ? kIgnore : kRetry);
}

void DrainPrinterOutput(int)
{
    PrintLockGuard lock;
    if (SerialPortContext* context = PrinterSerialContext)
        SerialWaitOutputDrained(context);
    FlushPrintLine();
}

namespace {

// A serial printer's held line is asked about and shown as the printer's own.
HeldLineAnswer AskHeldPrinterLine()
{
    const int r = AskContinuePrinting(static_cast<int>(ReadSerialRetry()));
    return r == kAbort ? HeldLineAnswer::Abort : r == kIgnore ? HeldLineAnswer::Ignore : HeldLineAnswer::Retry;
}

void ShowPrinterLineHeld(bool held)
{
    SetPrinterStatus(held ? kPrinterHeld : kPrinterReady);
}

void PrinterLineEnded(bool)
{
    PrinterHeldLineEnded();
}

const bool kHeldLineSideFilled = (HeldLinePrinter = {AskHeldPrinterLine, ShowPrinterLineHeld, PrinterLineEnded},
                                  true);

}  // namespace
