// Printing: the printer controller with the filter that watches for its end, and the DG
// print screen of the cursor's window, one row per posted step.
#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgio.h"
#include "terminal/emulations/dg/dgprint.h"
#include "terminal/emulations/dg/dgstate.h"

namespace {

constexpr u8 kRs = 0x1E, kEsc = 0x1B, kCsi = 0x9B, kAck = 0x06;
constexpr u8 kNul = 0x00, kDc1 = 0x11, kDc3 = 0x13;

// The bytes held while they may still become the sequence that ends the controller.
constexpr int kHeldCapacity = 16;
struct HeldSequence {
    u8 bytes[kHeldCapacity];
    int count = 0;
};
HeldSequence g_held;

// The rows of a DG print screen and the cells its scope leaves out.
struct PrintRun {
    int top = 0, bottom = -1, left = 0;
} g_print;

constexpr u8 kNativeEnd1[] = {kRs, 'F', 'a'};
constexpr u8 kNativeEnd2[] = {kRs, 'F', '?', '2'};
constexpr u8 kAnsiEnd[] = {kEsc, '[', '4', 'i'};

bool Matches(const u8* sequence, int length, int* state)
{
    if (g_held.count > length)
        return false;
    for (int i = 0; i < g_held.count; ++i)
        if (g_held.bytes[i] != sequence[i])
            return false;
    *state = g_held.count == length ? 2 : 1;
    return true;
}

void PrintHeld()
{
    for (int i = 0; i < g_held.count; ++i)
        PrintChar(g_held.bytes[i]);
    g_held.count = 0;
}

void StartHeld(std::initializer_list<u8> bytes)
{
    PrintHeld();
    for (u8 b : bytes)
        g_held.bytes[g_held.count++] = b;
}

void Ended()
{
    g_held.count = 0;
    DgPrinterControllerOff();
}

void Ack()
{
    const u8 ack = kAck;
    DgSend(&ack, 1);
}

}  // namespace

void DgPrinterControllerOn()
{
    g_held.count = 0;
    Dg.controllerOn = 1;
    StartPrinterController();
}

void DgPrinterControllerOff()
{
    const bool wasOn = PrinterControllerOn();
    Dg.controllerOn = 0;
    g_held.count = 0;
    if (wasOn)
        StopPrinting();
    if (Dg.mode == kDgModeNative && !Dg.printScreenRunning)
        Ack();
}

void DgPrinterControllerFilter(int value)
{
    if (value < 0)
        return;
    const u8 b = static_cast<u8>(value);
    // NUL and the flow-control bytes print only where the terminal shows such bytes.
    if ((b == kNul || b == kDc1 || b == kDc3) && VtMode.displayErrors == 0)
        return;
    const bool ansi = Dg.mode == kDgModeAnsi;
    // A new lead-in: whatever was held turns out to be text and prints first.
    if (!ansi && b == kRs) {
        StartHeld({kRs});
        return;
    }
    if (ansi && b == kEsc) {
        StartHeld({kEsc});
        return;
    }
    if (ansi && b == kCsi) {
        StartHeld({kEsc, '['});
        return;
    }
    if (g_held.count == 0) {
        PrintChar(b);
        return;
    }
    if (g_held.count >= kHeldCapacity) {
        PrintHeld();
        PrintChar(b);
        return;
    }
    g_held.bytes[g_held.count++] = b;
    if (!ansi) {
        int state = 0;
        if (!Matches(kNativeEnd1, 3, &state))
            Matches(kNativeEnd2, 4, &state);
        if (state == 2)
            Ended();
        else if (state == 0)
            PrintHeld();
        return;
    }
    // ANSI mode: a control sequence is read to its final byte. ESC [ 4 i ends the
    // controller; another media copy (final i) is the screen's and is dropped whole;
    // anything else was text.
    const bool csi = g_held.count >= 2 && g_held.bytes[1] == '[';
    if (!csi) {
        PrintHeld();
        return;
    }
    if (g_held.count == 2 || (b >= 0x20 && b <= 0x3F))
        return;
    int state = 0;
    if (Matches(kAnsiEnd, 4, &state) && state == 2)
        Ended();
    else if (b == 'i')
        g_held.count = 0;
    else
        PrintHeld();
}

void DgPrintCommand(u8 scope)
{
    Dg.printScope = scope;
    PostMainCommand(kCmdPrintScreenAsSet);
}

void DgPrintKey()
{
    Dg.printScreenRunning = 1;
    Dg.printScope = 0;
    PostMainCommand(kCmdPrintScreenAsSet);
}

void DgStartPrintScreen()
{
    {
        FrameLockGuard lock(1000);
        const DgWindow& w = Dg.window;
        g_print.top = w.top;
        g_print.bottom = w.bottom;
        g_print.left = w.left > w.viewLeft ? w.left : w.viewLeft;
    }
    Dg.printScreenRunning = 1;
    if (!StartPrintScreen())
        Dg.printScreenRunning = 0;
}

void DgPrintScreenStep(u32 step)
{
    const int row = g_print.top + static_cast<int>(step);
    if (!Dg.block || row > g_print.bottom || row > kDgLastRow) {
        Dg.printScreenRunning = 0;
        StopPrinting();
        return;
    }
    u16 text[kDgColumns + 2];
    int n = 0;
    {
        FrameLockGuard lock(1000);
        if (!lock.Held() || !Dg.block)
            return;
        const ScreenCell* cells = Dg.rows[row]->cells;
        const int view = Dg.rowWindow[row] == Dg.window.index ? Dg.window.viewLeft
                                                              : Dg.windows[Dg.rowWindow[row]].viewLeft;
        int first = g_print.left > view ? g_print.left : view;
        int last = first - 1;
        for (int c = kDgLastColumn; c >= first; --c)
            if (cells[c].ch != ' ' && cells[c].ch != 0) {
                last = c;
                break;
            }
        const bool protect = DgProtectOn();
        for (int c = first; c <= last; ++c) {
            const ScreenCell& cell = cells[c];
            const bool skipProtected = (Dg.printScope & 0x40) && protect && (cell.rendition & kDgProtected);
            const bool skipDim = (Dg.printScope & 0x08) && (cell.rendition & kDgDim);
            text[n++] = skipProtected || skipDim ? u16{' '} : DgCellText(cell);
        }
    }
    text[n++] = '\r';
    text[n++] = '\n';
    for (int i = 0; i < n; ++i)
        PrintChar(text[i]);
    PostMainCommand(kCmdPrintStep | ((step + 1) << 16));
}
