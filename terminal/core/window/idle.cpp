#include "terminal/core/window/idle.h"

#include "terminal/comms/printing/printjob.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/ticks.h"
#include "terminal/core/window/bell.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/testsource.h"
#include "terminal/core/paint/cellcolours.h"
#include "terminal/core/paint/jumpscroll.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"

std::atomic<u8> BlinkPhaseOn{1};

namespace {

// A family with blinking text of its own redraws it itself.
bool FamilyRedrawsBlinking()
{
    auto redraw = ActiveFamily().redrawBlinking;
    if (!redraw)
        return false;
    redraw();
    return true;
}

// Repaints the runs of blinking cells of one line of the shared store.
void RedrawBlinkingLine(ScreenLineRecord* line, int row)
{
    if (!line || !(line->cells[0].flags & kLineBlinks))
        return;
    const u8 lineFlags = line->cells[0].flags & kLineAttrBits;
    const bool doubleWidth = lineFlags & kLineDoubleWidth;
    const int first = doubleWidth ? 0 : Screen.horizontalOffset;
    int last = first + Screen.windowColumns - 1;
    if (doubleWidth)
        last = first + Screen.windowColumns / 2 - 1;
    if (last > Screen.lastColumn)
        last = Screen.lastColumn;
    bool any = false;
    for (int c = first; c <= last;) {
        if (!RenditionBlinks(line->cells[c].rendition)) {
            ++c;
            continue;
        }
        int end = c;
        while (end + 1 <= last && RenditionBlinks(line->cells[end + 1].rendition))
            ++end;
        any = true;
        PaintRowSegment(line->cells + first, row, c - first, end - first, lineFlags);
        c = end + 1;
    }
    if (!any)
        line->cells[0].flags &= static_cast<u8>(~kLineBlinks);
}

void IdleDisplayRefresh()
{
    if (auto refresh = ActiveFamily().idleRefresh) {
        refresh();
        return;
    }
    // The generic emulations refresh the cursor position of their status line about once
    // a second.
    if (Countdowns.cursorPosition == 0) {
        Countdowns.cursorPosition = 4;
        StatusBarShowCursorPos();
        if (auto tick = ActiveFamily().statusCursorTick)
            tick();
    }
}

}  // namespace

void RunIdleUpdates()
{
    if (BellPending.exchange(0) && StartupOptions.bell)
        RingBell();
    TestScreenDump();
    if (!CursorUpdatesSuspended)
        IdleDisplayRefresh();
    if (!Iconic) {
        TimerCountdownSet& c = Countdowns;
        if (c.blink == 0) {
            if (CursorShown && TextCursorStyle() < 2 && CursorScreenColumn() != -1)
                ToggleTextCursor(1);
            if (c.blinkPhase == 0)
                BlinkTick();
            c.blinkPhase = c.blinkPhase ? 0 : 1;
            c.blink = 1;
        }
        if (JumpScroll.countdown == 0)
            FlushDeferredScroll();
    }
    if (PrintJob.delayed && Countdowns.printJobIdle == 0)
        CloseDelayedPrintJob();
}

void BlinkTick()
{
    BlinkPhaseOn = BlinkPhaseOn ? 0 : 1;
    if (FamilyRedrawsBlinking() || !Screen.lines)
        return;
    const int pageIndex = Screen.multiPage ? ActivePage() : 0;
    const int base = Screen.firstLine + (Screen.multiPage ? pageIndex * Screen.pageLength : 0);
    for (int row = 0; row < Screen.rows; ++row)
        RedrawBlinkingLine(LineAt(base + row), row);
}
