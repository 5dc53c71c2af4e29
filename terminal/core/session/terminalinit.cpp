#include "terminal/core/session/terminalinit.h"

#include "terminal/core/base/family.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/session/sessionprofile.h"

namespace {

// Every family's buffers; false when one of them could not have its memory.
bool g_buffersOk;
bool AllocateFamilyBuffers()
{
    g_buffersOk = true;
    ForEachFamily([](const FamilyHooks& family) {
        if (family.allocateBuffers && !family.allocateBuffers())
            g_buffersOk = false;
    });
    return g_buffersOk;
}

}  // namespace

bool InitialiseTerminal(int full)
{
    Screen.rearranging = 1;
    StatusLineWriting = 0;
    if (full) {
        // A full initialisation starts with no family running.
        SetActiveFamily(nullptr);
        if (!AllocateFamilyBuffers()) {
            Screen.rearranging = 0;
            return false;
        }
    }
    ResetTerminalState(full);
    ReloadCurrentProfile();
    Screen.multiPage = FamilyWantsPages() ? 1 : 0;
    // Whatever set the sizes (profile, start-up option, Setup), a line count below 64
    // would cut the screen's rows and leave rows without line records.
    Screen.maxLineCount = ClampLineCountSetting(Screen.maxLineCount);
    int rows = Screen.rows > 0 ? Screen.rows : 24;
    if (rows > kMaxVtRows)
        rows = kMaxVtRows;
    if (!SetScreenRowCount(rows) || !ResizeScreenLines(Screen.maxLineCount) ||
        !SetScreenPageLength(Screen.multiPage ? (Screen.pageLength > rows ? Screen.pageLength : rows) : rows)) {
        Screen.rearranging = 0;
        return false;
    }
    RefitScreenFont();
    SetScreenColumns(Screen.lastColumn + 1);
    ForEachFamily([](const FamilyHooks& family) {
        if (family.initialised)
            family.initialised();
    });
    BlankAllScreenLines();
    Screen.rearranging = 0;
    // The family's status line is built again on the blank store.
    InvalidateStatusLine();
    TerminalInitialised = 1;
    return true;
}
