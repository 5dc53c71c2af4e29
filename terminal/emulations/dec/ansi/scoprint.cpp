// SCO Console's print of all six virtual screens (CSI ? 11 i): the print-screen run
// goes through each screen's 25 lines in turn, a form feed between two screens. A step
// value is screen * 25 + row.
#include <atomic>

#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"

namespace {
// -1, or the virtual screen being printed. Set by the host-data thread, run by the
// print steps of the user-interface thread.
std::atomic<int> g_printIndex{-1};
constexpr u16 kFormFeed = 12;
constexpr int kPrintScreenMode = 3;
}  // namespace

void ScoPrintAllScreens(bool all)
{
    g_printIndex = -1;
    if (!all || !IsScoConsole() || !CheckPrinterAvailable())
        return;
    g_printIndex = 0;
    PostMainCommand(kCmdPrintScreen);
}

void ConsolePrintScreen()
{
    // The request is taken here: a run that could not start leaves none behind for
    // the next Print Screen.
    const bool all = g_printIndex.exchange(-1) == 0 && IsScoConsole();
    if (StartPrintScreen() && all)
        g_printIndex = 0;
}

void ConsolePrintStep(u32 value)
{
    if (g_printIndex < 0 || CurrentPrintMode() != kPrintScreenMode) {
        g_printIndex = -1;
        PrintScreenLine(value);
        return;
    }
    const u32 screen = value / kAnsiConsoleRows, row = value % kAnsiConsoleRows;
    const ScreenLineRecord* line = screen < kScoVirtualScreens
                                       ? ScoVirtualScreenLine(static_cast<int>(screen), static_cast<int>(row))
                                       : nullptr;
    if (!line) {
        g_printIndex = -1;
        PrintScreenLineRecord(nullptr, 0);
        return;
    }
    g_printIndex = static_cast<int>(screen);
    if (row == 0 && screen > 0)
        PrintChar(kFormFeed);
    PrintScreenLineRecord(line, value + 1);
}
