#include "terminal/core/paint/jumpscroll.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenops.h"

JumpScrollState JumpScroll;

void ApplyJumpScrollSetting(u8 on)
{
    PaintSettings.jumpScroll = on ? 1 : 0;
    JumpScroll.deferring = on ? 1 : 0;
}

namespace {

// A family with a screen of its own draws it itself and never defers.
bool RedrawDue()
{
    return ActiveFamily().display == nullptr && JumpScroll.count != 0;
}

// Marks the whole screen for the next frame for the scrolls counted so far. Only the
// rows are redrawn: the status line's fields stay as they are (rewriting the indicator
// and the status bar's fields every 33 lines made jump scroll several times slower than
// smooth scrolling under Wine). The scroll bar is left alone too: each scroll into the
// history moves its thumb already.
void RedrawCountedScrolls()
{
    JumpScroll.count = 0;
    // The redraw itself is not deferred again.
    const u8 deferring = JumpScroll.deferring.exchange(0);
    JumpScroll.redrawDue = 1;
    RepaintScreenRegion(0, 0, Screen.rows - 1, kStoreColumns - 1);
    RefreshStatusLine();
    JumpScroll.deferring = deferring;
}

}  // namespace

void CountDeferredScroll()
{
    if (!JumpScroll.deferring)
        return;
    // Host data is still coming in: the cursor stays hidden as it does while rows scroll
    // smoothly, and the reader shows it when the data runs out.
    if (JumpScroll.count.fetch_add(1) + 1 >= kDeferredScrollLimit) {
        if (RedrawDue())
            RedrawCountedScrolls();
        JumpScroll.countdown = kDeferredScrollTicks;
    }
}

bool DeferredScrollPending()
{
    return JumpScroll.count != 0;
}

bool JumpScrollHoldsPainting()
{
    return PaintSettings.jumpScroll && DeferredScrollPending() && !Iconic;
}

void FlushDeferredScroll()
{
    // A count left from before the setting was switched off is still redrawn once:
    // without it the rows scrolled meanwhile would stay unpainted. The frame draws the
    // cursor over the picture, so it is only shown again once the screen is drawn.
    if (RedrawDue()) {
        HideCursorForUpdate();
        RedrawCountedScrolls();
        RefreshScrollThumb();
        ShowCursorWhenIdle();
    }
    JumpScroll.countdown = kDeferredScrollTicks;
}
