// The byte path: print kinds first (what goes to the printer and what is shown),
// monitor mode, then the control characters and the display of a character.
#include "terminal/emulations/tvi/host/hostpath.h"

#include <cstdio>

#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

constexpr u8 kEsc = 0x1B, kNak = 0x15;

bool g_escapeGivenBack = false;

u8 GlyphOf(u8 ch)
{
    if (ch >= 129 && ch <= 146)
        return kTviGlyphLines;
    if (ch >= 147 && ch <= 159)
        return kTviGlyphBlocks;
    return kTviGlyphPlain;
}

// Monitor mode shows every byte; ESC u and ESC X end it.
void MonitorByte(u8 b)
{
    if (Tvi.monitorEscape) {
        Tvi.monitorEscape = false;
        if (b == 'u' || b == 'X') {
            Tvi.set.monitor = 0;
            TviShowIndicators();
            return;
        }
        TviWriteChar(kEsc, kTviGlyphControl);
    }
    if (b == kEsc) {
        Tvi.monitorEscape = true;
        return;
    }
    TviDisplayByte(b);
    if (Tvi.set.options & kTviOptMonitorHex) {
        char hex[8];
        std::snprintf(hex, sizeof hex, ",%02x", static_cast<unsigned>(b));
        for (const char* p = hex; *p; ++p)
            TviWriteChar(static_cast<u8>(*p), kTviGlyphPlain);
    }
}

void ProcessOne(u8 b)
{
    // Transparent print: bytes go to the printer only; ESC a ends it.
    if (Tvi.printKind == kTviPrintTransparent) {
        if (b == 0)
            return;
        if (b != kEsc) {
            TviPrintByte(b);
            return;
        }
        const int next = TviNextByte();
        if (next < 0)
            return;
        if (next == 'a') {
            TviEndPrint();
            return;
        }
        TviPrintByte(kEsc);
        TviPrintByte(static_cast<u8>(next));
        return;
    }
    if (Tvi.printKind == kTviPrintCopy) {
        if (b == 0)
            return;
        if (b == kEsc) {
            const int next = TviNextByte();
            if (next < 0)
                return;
            if (next != 'A') {
                TviPrintByte(kEsc);
                TviPrintByte(static_cast<u8>(next));
            }
            if (Tvi.set.monitor)
                MonitorByte(kEsc), MonitorByte(static_cast<u8>(next));
            else
                TviParseEscape(static_cast<u8>(next));
            return;
        }
        TviPrintByte(b);
    } else if (Tvi.printKind == kTviPrintDc2) {
        if (b == 0)
            return;
        if (b != 0x14)
            TviPrintByte(b);
    }
    if (Tvi.set.monitor) {
        MonitorByte(b);
        return;
    }
    if (b == 127)
        return;
    TviDisplayByte(b);
}

}  // namespace

void TviGiveBackEscape()
{
    g_escapeGivenBack = true;
}

int TviNextByte()
{
    const int v = HostReadSequenceByte();
    if (v < 0)
        return -1;
    return v & 0xFF;
}

void TviProcessChar(int value)
{
    if (value < 0 || !Tvi.active || !TviLinesAllocated())
        return;
    u8 b = static_cast<u8>(value);
    for (;;) {
        g_escapeGivenBack = false;
        ProcessOne(b);
        if (!g_escapeGivenBack)
            break;
        b = kEsc;
    }
}

void TviDisplayByte(u8 b)
{
    if (Tvi.attrPending && Tvi.attrPendingWritten) {
        TviLine* line = TviLineAt(Tvi.attrPendingLine);
        if (line && !Tvi.set.writeProtect)
            line->cells[Tvi.attrPendingColumn].rendition |= kTviAttrStart;
        Tvi.attrPending = false;
    }
    const bool monitor = Tvi.set.monitor != 0;
    if (!monitor) {
        if (Tvi.previousByte == kNak && b < 128)
            b = static_cast<u8>(b + 128);
        else if (Tvi.graphics && b >= 33) {
            if (b <= 63)
                b = static_cast<u8>(b + 96);
            else if (b >= 65 && b <= 95)
                b = static_cast<u8>(b + 64);
            else if (b >= 97 && b <= 127)
                b = static_cast<u8>(b + 32);
            else
                b = ' ';
        }
    }
    Tvi.previousByte = b;
    if (Tvi.loadLine) {
        TviLoadStatusByte(b);
        return;
    }
    if (b < 32) {
        if (!monitor)
            TviControl(b);
        else
            TviWriteChar(b, kTviGlyphControl);
        return;
    }
    TviWriteChar(b, GlyphOf(b));
}

void TviControl(u8 b)
{
    switch (b) {
    case 0x05: TviSendAnswerback(); break;
    case 0x07: RequestBell(); break;
    case 0x08: TviCursorLeft(1); break;
    case 0x09: TviTab(); break;
    case 0x0A: TviLineFeed(); break;
    case 0x0B: TviCursorUp(1); break;
    case 0x0C: TviCursorRight(1); break;
    case 0x0D:
        TviCarriageReturn();
        if (TviAutoLineFeed)
            TviLineFeed();
        break;
    case 0x12: TviStartPrint(kTviPrintDc2); break;
    case 0x14: TviEndPrint(); break;
    case 0x16: TviCursorDown(1); break;
    case 0x17: Tvi.set.marginBellColumn = Tvi.cursorColumn; break;
    case 0x18: TviCancelField(); break;
    case 0x1A:
        TviHomeUnprotected();
        TviClearPage(Tvi.set.fillChar, Tvi.set.protect != 0);
        break;
    case 0x1B: {
        const int next = TviNextByte();
        if (next >= 0)
            TviParseEscape(static_cast<u8>(next));
        break;
    }
    case 0x1E: TviHome(); break;
    case 0x1F:
        TviLineFeed();
        TviCarriageReturn();
        break;
    default: break;
    }
}
