#include "terminal/emulations/hp700/hostpath.h"

#include <atomic>

#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/emulations/hp700/escapes/escapes.h"
#include "terminal/emulations/hp700/fields/fields.h"
#include "terminal/emulations/hp700/keys/keys.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/printer/device.h"
#include "terminal/emulations/hp700/replies/replies.h"
#include "terminal/emulations/hp700/screen/write.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

constexpr u8 kNul = 0x00, kEnq = 0x05, kAck = 0x06, kBel = 0x07, kBs = 0x08, kHt = 0x09, kLf = 0x0A;
constexpr u8 kFf = 0x0C, kCr = 0x0D, kSo = 0x0E, kSi = 0x0F, kDc1 = 0x11, kEsc = 0x1B;
constexpr u8 kRs = 0x1E, kDel = 0x7F;

constexpr i32 kMaxGroupValue = 99999999;  // long digit runs saturate here

bool Typed()
{
    return CameFromKeyboard.load(std::memory_order_relaxed) != 0;
}

void ControlDispatch(u8 b)
{
    switch (b) {
    case kBel: RequestBell(); break;
    case kBs: Hp700CursorLeft(); break;
    case kHt: Hp700Tab(); break;
    case kLf: Hp700LineFeedCommand(); break;
    case kFf:
        if (!Hp700.settings.ignoreff)
            Hp700LineFeedCommand();
        break;
    case kCr: Hp700CarriageReturn(); break;
    case kSo: Hp700ShiftOut(); break;
    case kSi: Hp700ShiftIn(); break;
    case kDc1:
        if (!Typed())
            Hp700Dc1Received();
        break;
    case kEsc: Hp700BeginEscape(); break;
    default: break;  // the other controls do nothing
    }
}

// A received byte the reader keeps from the screen: NUL, DEL and ENQ (answered when
// ENQ/ACK pacing is on). True when it was taken.
bool ReaderTakes(u8 b)
{
    if (b == kNul || b == kDel)
        return true;
    if (b == kEnq) {
        if (Hp700.settings.enqack)
            Hp700SendByte(kAck);
        return true;
    }
    return false;
}

void ProcessOne(u8 b)
{
    const bool typed = Typed();
    if (!typed) {
        if (Hp700PrinterTakesByte(b))
            return;
        if (!Hp700.settings.eightBits)
            b &= 0x7F;
        if (ReaderTakes(b))
            return;
    }
    Hp700.typedLocally = typed;
    if (b == kFf && Hp700.settings.ignoreff)
        return;
    if (b < 32 && b != kRs && !Hp700.displayFunctions && !(b == kFf && Hp700.settings.printff)) {
        const int row = Hp700CursorScreenRow();
        ControlDispatch(b);
        if (Hp700CursorScreenRow() != row)
            Hp700FlushRow();
    } else if (Hp700.menu == kHpMenuConfig) {
        Hp700ConfigScreenChar(b);
    } else {
        Hp700WriteChar(b);
    }
    // Typeahead: the host's prompt lets the held keyboard go.
    if (Hp700.settings.typeahead && b == Hp700.settings.promptchar && !typed && Hp700.pending == 0)
        Hp700.keyboardHeld = false;
}

}  // namespace

void HpProcessChar(int value)
{
    if (value < 0 || !Hp700Running())
        return;
    u8 b = static_cast<u8>(value);
    for (;;) {
        Hp700.escapeGivenBack = false;
        ProcessOne(b);
        if (!Hp700.escapeGivenBack)
            break;
        b = kEsc;
    }
    Hp700RunPending();
    Hp700ReleaseTypeahead();
}

int Hp700NextSequenceByte()
{
    for (;;) {
        if (Hp700.escapeGivenBack)
            return -1;
        const int v = HostReadSequenceByte();
        if (v < 0)
            return v;
        const u8 b = static_cast<u8>(v & 0x7F);
        if (b == kEnq && !Typed()) {
            if (Hp700.settings.enqack)
                Hp700SendByte(kAck);
            continue;
        }
        if (b == kEsc) {
            // An ESC inside a sequence ends it and starts the next one.
            Hp700.escapeGivenBack = true;
            return -1;
        }
        return b;
    }
}

int Hp700NextDataByte()
{
    if (Hp700.escapeGivenBack)
        return -1;
    const int v = HostReadSequenceByte();
    if (v < 0)
        return v;
    return Hp700.settings.eightBits ? v & 0xFF : v & 0x7F;
}

bool Hp700ParseGroupParameters()
{
    Hp700GroupParameters& p = *Hp700.groups;
    p.count = 0;
    Hp700Group g{};
    bool decimal = false;
    int fractionDigits = 0;
    while (p.count < kHpGroups) {
        const int v = Hp700NextSequenceByte();
        if (v < 0)
            return false;
        const u8 b = static_cast<u8>(v);
        if (b >= '0' && b <= '9') {
            g.hasDigits = true;
            if (decimal) {
                // Hundredths as written: ".5" is 50, ".05" is 5; a third digit is ignored.
                if (fractionDigits < 2)
                    g.fraction += (b - '0') * (fractionDigits == 0 ? 10 : 1);
                ++fractionDigits;
            } else {
                g.value = g.value > (kMaxGroupValue - 9) / 10 ? kMaxGroupValue : g.value * 10 + (b - '0');
                ++g.digits;
            }
        } else if (b == '.') {
            decimal = true;
        } else if (b == '-') {
            g.negative = true;
        } else if ((b >= 0x40 && b <= 0x7F) || b == '+') {
            if (g.negative) {
                g.value = -g.value;
                g.relative = true;
            }
            if (b == '+')
                g.relative = true;
            g.terminator = b;
            p.groups[p.count++] = g;
            g = Hp700Group{};
            decimal = false;
            fractionDigits = 0;
            // An upper-case letter (or one of the characters around them) ends it.
            if (b >= 0x40 && b <= 0x5F)
                return true;
        }
        // any other byte is ignored
    }
    return true;
}

void Hp700SendByte(u8 b)
{
    if (!Hp700.settings.remote || b == kNul)
        return;
    if (b == kCr && Hp700.settings.crnull) {
        Hp700QueueSendUnit(kCr);
        Hp700FlushSend();
        return;
    }
    Hp700FlushSend();
    HostSendRawByte(b);
}

void Hp700QueueSendUnit(u16 unit)
{
    if (!Hp700.settings.remote || unit == kNul || !Hp700.sendBuffer)
        return;
    if (Hp700.sendCount >= kHpSendUnits - 1)
        Hp700FlushSend();
    Hp700.sendBuffer[Hp700.sendCount++] = unit;
    if (unit == kCr && Hp700.settings.crnull)
        Hp700.sendBuffer[Hp700.sendCount++] = kNul;
}

void Hp700FlushSend()
{
    if (!Hp700.sendBuffer || Hp700.sendCount == 0)
        return;
    const int n = Hp700.sendCount;
    Hp700.sendCount = 0;
    HostSendBlock(Hp700.sendBuffer, n);
}
