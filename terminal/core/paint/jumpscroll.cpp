#include "terminal/core/paint/jumpscroll.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/paint/painting.h"
#include "terminal/core/paint/paintsettings.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenops.h"

JumpScrollState JumpScroll;

void ApplyJumpScrollSetting(u8 on)
{
    PaintSettings.jumpScroll = on ? 1 : 0;
    JumpScroll.deferring = on ? 1 : 0;
}

void CountDeferredScroll()
{
    if (!JumpScroll.deferring)
        return;
    if (JumpScroll.count.fetch_add(1) + 1 >= kDeferredScrollLimit)
        FlushDeferredScroll();
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
    // A family with a screen of its own draws it itself and never defers.
    const bool ownScreen = ActiveFamily().display != nullptr;
    // A count left from before the setting was switched off is still redrawn once:
    // without it the rows scrolled meanwhile would stay unpainted.
    if (!ownScreen && JumpScroll.count != 0) {
        JumpScroll.count = 0;
        HideCursorForUpdate();
        // The redraw itself is not deferred again.
        const u8 deferring = JumpScroll.deferring.exchange(0);
        JumpScroll.redrawDue = 1;
        RepaintScreenRegion(0, 0, Screen.rows - 1, kStoreColumns - 1);
        InvalidateStatusLine();
        RefreshStatusLine();
        JumpScroll.deferring = deferring;
        RefreshScrollThumb();
        ShowCursorWhenIdle();
    }
    JumpScroll.countdown = kDeferredScrollTicks;
}
