#include "terminal/emulations/ibm3151/host/hostpath.h"

#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/output/print3151.h"

namespace {

bool Typed()
{
    return CameFromKeyboard.load(std::memory_order_relaxed) != 0;
}

// One byte outside printer pass-through.
void DisplayOrDispatch(I3151PageRecord* page, u8 b)
{
    if (page->transparent) {
        if (b == kI51Dle)
            I3151DleHandler(page);
        else
            I3151WriteChar(page, b);
        return;
    }
    // The trace takes the bytes that arrive while it is on (printed before they act, so
    // the ESC that ends it still reaches the job it ends).
    if (I3151.trace && !Typed())
        I3151PrintByte(b);
    if (b < 32 && b != kI51Sub && !(b == kI51Nul && I3151.displayNul))
        I3151DispatchControl(page, b);
    else
        I3151WriteChar(page, b);
}

// One byte while DLE DC2 passes the host's bytes to the printer: a nested DLE DC2 and
// its DLE DC4 are printed too; the DLE DC4 of the outermost ends the pass-through.
void PassThroughByte(u8 b)
{
    if (b != kI51Dle) {
        I3151PrintByte(b);
        return;
    }
    const int next = I3151NextByte();
    if (next < 0)
        return;
    if (next != kI51Dc4) {
        I3151PrintByte(kI51Dle);
        I3151PrintByte(static_cast<u8>(next));
        if (next == kI51Dc2)
            ++I3151.passThrough;
        return;
    }
    if (I3151.passThrough > 0)
        --I3151.passThrough;
    if (I3151.passThrough > 0) {
        I3151PrintByte(kI51Dle);
        I3151PrintByte(kI51Dc4);
    } else if (!(I3151.setup[13] & 0x04)) {
        I3151StopPrinting();
    }
}

void ProcessOne(u8 b)
{
    I3151PageRecord* page = I3151GetCurrentPage();
    if (I3151.passThrough > 0)
        PassThroughByte(b);
    else
        DisplayOrDispatch(page, b);
}

}  // namespace

bool I3151RefuseTypedByte(int b)
{
    if (!Typed() || !I3151IsBlockMode() || b < 0)
        return false;
    if (b >= 32 || (b >= kI51Bel && b <= kI51Dle) || b == kI51Can || b == kI51Esc)
        return false;
    I3151SignalInvalidKey();
    return true;
}

void I3151ProcessChar(int value)
{
    if (value < 0 || !I3151.active || !I3151PagesAllocated())
        return;
    if (I3151RefuseTypedByte(value))
        return;
    u8 b = static_cast<u8>(value);
    for (;;) {
        I3151.escapeGivenBack = false;
        ProcessOne(b);
        if (!I3151.escapeGivenBack)
            break;
        b = kI51Esc;
    }
}

int I3151NextByte()
{
    for (;;) {
        const int v = HostReadSequenceByte();
        if (v < 0)
            return -1;
        if (I3151RefuseTypedByte(v))
            continue;
        return v & 0xFF;
    }
}

void I3151GiveBackEscape()
{
    I3151.inEscape = false;
    I3151.escapeGivenBack = true;
}

void I3151DleHandler(I3151PageRecord* page)
{
    const int b = I3151NextByte();
    switch (b) {
    case kI51Stx:
    case kI51Etx:
        page->transparent = b == kI51Stx ? 1 : 0;
        I3151RepaintPage(page);
        I3151UpdateIndicators(true);
        break;
    case kI51Dc2:
        ++I3151.passThrough;
        I3151StartPrinting();
        break;
    case kI51Dc4:
        if (I3151.passThrough > 0)
            --I3151.passThrough;
        I3151StopPrinting();
        break;
    default: break;  // EOT and any other byte: nothing
    }
}

void I3151SendReply(const u16* units, int count, bool turnaround)
{
    u16 reply[80];
    int n = 0;
    for (int i = 0; i < count && n < 79; ++i)
        reply[n++] = units[i];
    if (turnaround)
        reply[n++] = I3151Turnaround();
    HostSendBlock(reply, n);
}
