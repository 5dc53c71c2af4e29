// Control characters: the dispatcher of bytes below 32 (SUB excepted, which shows).
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"

void I3151DispatchControl(I3151PageRecord* page, u8 byte)
{
    switch (byte) {
    case kI51Bel: RequestBell(); break;
    case kI51Bs:
        I3151FlushPage(page);
        I3151CursorLeft(page);
        break;
    case kI51Ht: I3151Tab(page); break;
    case kI51Lf:
        I3151LineFeed(page);
        if (I3151.setup[3] & 0x01)
            I3151CarriageReturn(page);
        break;
    case 0x0B: I3151LineFeed(page); break;  // VT: the next row only
    case 0x0C:
        if (I3151IsPageFormatted(page) || !(I3151.setup[4] & 0x18))
            I3151EraseUnprotected(page);
        else
            I3151NewLine(page);
        break;
    case kI51Cr:
        I3151CarriageReturn(page);
        if (I3151.setup[3] & 0x02)
            I3151LineFeed(page);
        break;
    case 0x0E: page->shift = 1; break;
    case 0x0F: page->shift = 0; break;
    case kI51Dle: I3151DleHandler(page); break;
    case kI51Esc:
        if (I3151.inEscape) {
            I3151GiveBackEscape();
            break;
        }
        I3151.inEscape = true;
        I3151DispatchEscape(page);
        I3151.inEscape = false;
        break;
    default:
        // NUL to ACK, DC1 to SUB and FS to US do nothing. DC1 and DC3 are no hold
        // screen from the host: a host's DC3 would stop the reader before the DC1 that
        // releases it could be read.
        break;
    }
}
