// Emulator-side printing: the print modes, print screen and print buffer run line by
// line, the cursor line, auto print, printer-controller mode, and the way of one printed
// character to the port, the LPR request or the Windows printer.
#include "terminal/comms/printing/printing.h"

#include "terminal/comms/printing/lprbind.h"
#include "terminal/comms/printing/portlist.h"
#include "terminal/comms/printing/printcharset.h"
#include "terminal/comms/printing/printcontroller.h"
#include "terminal/comms/printing/printformat.h"
#include "terminal/comms/printing/printjob.h"
#include "terminal/comms/printing/printport.h"
#include "terminal/comms/printing/printstatus.h"
#include "terminal/comms/serial/serialport.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/autoprint.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/settings/store/profilevalues.h"

u8 PrintLineFormat = kPrintHostCharacters;

namespace {

struct PrintModeState {
    std::atomic<u8> mode{0};
    std::atomic<u8> autoPrint{0}, controller{0}, mode6{0}, pass{0};
    u32 firstLine = 0, lastLine = 0;
    ControllerSequence sequence;
};
PrintModeState g_print;

// What the formats print through.
class FormatOutput : public PrintFormatOutput {
public:
    void PrintChar(u16 c) override { ::PrintChar(c); }
    void BufferChar(u16 c) override { PrintBufferChar(c); }
    bool Cancelled() override { return PrintJob.cancelled != 0; }
};

// What the controller filter prints through.
class ControllerPrinter : public ControllerOutput {
public:
    void PrintSequenceByte(u8 b) override { PrintChar(b); }
    void PrintByte(u8 b) override { PrintChar(MapControllerChar(b)); }
};

bool VtFamilyEmulation()
{
    return IsVtFamily(EmulationId);
}

bool PrintExtentIsRegion()
{
    const auto region = ActiveFamily().printExtentIsRegion;
    return region && region();
}

// The line of a print-buffer run: on a single-page VT screen the history comes first,
// oldest line first, then the screen.
const ScreenLineRecord* BufferLine(u32 n)
{
    if (VtFamilyEmulation() && !Screen.multiPage) {
        const u32 h = Screen.historyCount > 0 ? static_cast<u32>(Screen.historyCount) : 0;
        return n < h ? LineAt(static_cast<int>(static_cast<u32>(Screen.lineCount) - h + n))
                     : LineAt(static_cast<int>(n - h));
    }
    return LineAt(static_cast<int>(n));
}

void EndRun()
{
    if (ByteOutput() && PrintingValues.PrintTerminator)
        PrintChar(12);
    else if (!ByteOutput())
        FlushPrintLine();
    StopPrinting();
}

void SetMode(u8 mode)
{
    g_print.mode = mode;
    SetPrintModeFlags();
}

}  // namespace

bool PrinterControllerOn()
{
    return g_print.controller != 0;
}

int CurrentPrintMode()
{
    return g_print.mode;
}

bool AutoPrintOn()
{
    return g_print.autoPrint != 0;
}

bool PrintPassFlag()
{
    return g_print.pass != 0;
}

bool PrintingInProgress()
{
    return g_print.mode != 0;
}

// A printer on a serial line can answer; a file port never does.
bool PrinterPortOpen()
{
    const SerialPortContext* context = PrinterSerialContext;
    return context && context->handle != INVALID_HANDLE_VALUE;
}

int PrinterPortReadByte()
{
    SerialPortContext* context = PrinterSerialContext;
    return context ? SerialReadByte(context) : -1;
}

void SetPrintModeFlags()
{
    PrintModeState& p = g_print;
    u8 mode = p.mode;
    p.controller = 0;
    p.autoPrint = 0;
    p.mode6 = 0;
    p.pass = 0;
    // clang-format off
    switch (mode) {
    case 1: p.autoPrint = 1; p.pass = 1; break;
    case 2: p.controller = 1; p.pass = 1; break;
    case 3:
    case 4: break;
    case 6: p.mode6 = 1; p.pass = 1; break;
    default: mode = 0; break;
    }
    // clang-format on
    p.mode = mode;
    ResetControllerSequence();
    RefreshPrinterStatus();
    UpdatePrintMenuItems();
}

void ResetControllerSequence()
{
    PrintLockGuard lock;
    g_print.sequence = ControllerSequence{};
}

void ClearPrintMode()
{
    SetMode(0);
}

void StopPrinting()
{
    PrintLockGuard lock;
    FinishPrintJob(1);
    ClearPrintMode();
}

void StopPrintingNow()
{
    // A writer that waits for a blocked port gives up at once.
    PrintJob.stopRequested = 1;
    {
        PrintLockGuard lock;
        FinishPrintJob(0);
        ClearPrintMode();
    }
    PrintJob.stopRequested = 0;
}

void StartAutoPrint()
{
    PrintLockGuard lock;
    if (BeginPrinting())
        SetMode(1);
}

void StartPrinterController()
{
    PrintLockGuard lock;
    if (BeginPrinting())
        SetMode(2);
}

void StartPrintWithDisplay()
{
    PrintLockGuard lock;
    if (BeginPrinting())
        SetMode(6);
}

int StartPrintScreen()
{
    PrintLockGuard lock;
    if (!OpenPrintJob())
        return 0;
    PrintModeState& p = g_print;
    p.firstLine = 0;
    if (PrintExtentIsRegion()) {
        // The print extent is the scrolling region.
        p.firstLine = static_cast<u32>(Screen.top);
        p.lastLine = static_cast<u32>(Screen.bottom);
    } else if (!Screen.multiPage) {
        p.lastLine = static_cast<u32>(Screen.rows > 0 ? Screen.rows - 1 : 0);
    } else {
        p.lastLine = static_cast<u32>(Screen.pageLength > 0 ? Screen.pageLength - 1 : 0);
    }
    SetMode(3);
    PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdPrintStep, p.firstLine), 0);
    return 1;
}

int StartPrintBuffer()
{
    PrintLockGuard lock;
    if (!OpenPrintJob())
        return 0;
    PrintModeState& p = g_print;
    p.firstLine = 0;
    if (!Screen.multiPage) {
        // History then screen, each line once: the slots past them hold no text.
        const int lines = VtFamilyEmulation() ? Screen.historyCount + Screen.rows : Screen.lineCount;
        p.lastLine = static_cast<u32>(lines > 0 ? lines - 1 : 0);
    } else if (PrintExtentIsRegion()) {
        p.firstLine = static_cast<u32>(Screen.top);
        p.lastLine = static_cast<u32>(Screen.bottom);
    } else {
        p.lastLine = static_cast<u32>(Screen.pageLength > 0 ? Screen.pageLength - 1 : 0);
    }
    SetMode(4);
    PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdPrintStep, p.firstLine), 0);
    return 1;
}

void PrintScreenLine(u32 n)
{
    PrintLockGuard lock;
    if (PrintJob.cancelled) {
        // The abort dialog's Cancel: the run ends here.
        if (g_print.mode == 3 || g_print.mode == 4)
            StopPrinting();
        return;
    }
    const u8 mode = g_print.mode;
    if (mode != 3 && mode != 4) {
        FormatPrintLine(LineAt(static_cast<int>(n)), PrintLineFormat);
        return;
    }
    if (n > g_print.lastLine) {
        EndRun();
        return;
    }
    FormatPrintLine(mode == 4 ? BufferLine(n) : LineAt(static_cast<int>(n)), PrintLineFormat);
    PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdPrintStep, n + 1), 0);
}

void PrintScreenLineRecord(const ScreenLineRecord* line, u32 next)
{
    PrintLockGuard lock;
    if (g_print.mode != 3)
        return;
    if (PrintJob.cancelled || !line) {
        if (PrintJob.cancelled)
            StopPrinting();
        else
            EndRun();
        return;
    }
    FormatPrintLine(line, PrintLineFormat);
    PostMessageW(MainWindowHandle, WM_COMMAND, MAKEWPARAM(kCmdPrintStep, next), 0);
}

void PrintCursorLine()
{
    PrintLockGuard lock;
    const ScreenLineRecord* line = LineAt(Screen.cursorRow);
    if (PrintJob.continuous && (g_print.mode == 1 || g_print.mode == 2)) {
        // Auto print: the line goes into the job that runs, and out at once.
        FormatPrintLine(line, PrintLineFormat);
        FlushPrintLine();
        return;
    }
    if (!OpenPrintJob())
        return;
    FormatPrintLine(line, PrintLineFormat);
    FinishPrintJob(1);
}

void FormatPrintLine(const ScreenLineRecord* line, int format)
{
    PrintLockGuard lock;
    if (PrintJob.cancelled)
        return;
    PrintFormatContext context;
    context.firstColumn = 0;
    context.lastColumn = Screen.lastColumn;
    context.nationalIndex = KeyboardTypeIndex;
    context.national = PrintNationalSet();
    context.byteOutput = ByteOutput() || PrintJob.rawPageOpen || PrintJob.channelOpen;
    context.plainLineDrawing = PrintingValues.ConvertHostChars == kPrintNational7Bit;
    context.pcCharacters = PaintSettings.characterMode == 4 &&
                           (IsVtFamily(EmulationId) || FamilyOf(EmulationId) == EmulationFamily::AnsiConsole);
    context.pcCodePage = Vt300Values.ansi386_codepage;
    FormatOutput out;
    FormatLineForPrint(line, format, context, out);
}

void PrintString(const char* text)
{
    for (; text && *text; ++text)
        PrintChar(static_cast<u8>(*text));
}

void PrintChar(u16 ch)
{
    PrintLockGuard lock;
    if (PrintJob.cancelled)
        return;
    if (!PrintJob.continuous && !PrintingValues.ViaLPR) {
        PrintBufferChar(ch);
        return;
    }
    u8 bytes[3];
    const int n = TranslatePrintChar(PrintingValues.ConvertHostChars, ch, PrintNationalSet(), bytes);
    const bool toPort = ByteOutput();
    for (int i = 0; i < n && !PrintJob.cancelled; ++i) {
        if (toPort)
            PortWriteChar(bytes[i]);
        else
            PrintBufferChar(bytes[i]);
    }
}

void PrinterControllerByte(u8 b)
{
    PrintLockGuard lock;
    ControllerOptions options;
    options.vt52 = IsVtFamily(EmulationId) && !VtMode.ansiMode;
    options.csiIsCharacter = PaintSettings.characterMode == 4;
    options.dropNulXonXoff = VtMode.displayErrors == 0;
    ControllerPrinter out;
    if (ControllerFilterByte(g_print.sequence, b, options, out))
        StopPrinting();
}

void CancelPrintCommand()
{
    StopPrintingNow();
}

void AutoPrintCommand()
{
    if (!AutoPrintOn()) {
        if (g_print.mode == 0)
            StartAutoPrint();
    } else {
        StopPrintingNow();
    }
}

void EjectPageCommand()
{
    EjectPage();
}

void ShutdownPrinting()
{
    {
        PrintLockGuard lock;
        // A job that waits for its close delay is printed, not lost.
        FinishPrintJob(0);
        g_print.mode = 0;
    }
    UnloadLprModule();
    FreePortList();
}
