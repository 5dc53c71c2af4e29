#include "terminal/emulations/hp700/replies/replies.h"

#include <cstdio>

#include "terminal/core/host/capture.h"
#include "terminal/emulations/hp700/fields/transfer.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/memory/memory.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/emulations/hp700/userkeys/userkeys.h"

namespace {

constexpr u8 kEsc = 0x1B, kCr = 0x0D, kLf = 0x0A, kDc2 = 0x12;
constexpr u8 kAwaitDc1 = 1, kAwaitSecondDc1 = 2;

// Record Mode and logging wait while the terminal waits for the host's DC1.
struct Suspended {
    bool logTop = false, logBottom = false, recordMode = false;
};
Suspended g_suspended;

void Queue(const char* text)
{
    for (; *text; ++text)
        Hp700QueueSendUnit(static_cast<u8>(*text));
}

void QueueUnits(const wchar16* text, int n)
{
    for (int i = 0; i < n; ++i)
        Hp700QueueSendUnit(static_cast<u16>(text[i]));
}

bool SevenHundredSeries()
{
    return HpModel == 1 || HpModel == 3 || HpModel == 4;
}

void Suspend()
{
    g_suspended = Suspended{Hp700.logTop, Hp700.logBottom, Hp700.recordMode};
    Hp700.logTop = Hp700.logBottom = Hp700.recordMode = false;
}

void Resume()
{
    Hp700.logTop = g_suspended.logTop;
    Hp700.logBottom = g_suspended.logBottom;
    Hp700.recordMode = g_suspended.recordMode;
}

void QueueIdentity()
{
    wchar16 id[kHpCustomIdUnits + 1];
    QueueUnits(id, Hp700IdentityText(id, kHpCustomIdUnits + 1));
}

void QueueCursor(bool absolute)
{
    char text[32];
    const int row = absolute ? Hp700.cursorRow : Hp700CursorScreenRow();
    std::snprintf(text, sizeof text, "\x1b&a%03dc%03d%c", Hp700.cursorColumn, row, absolute ? 'R' : 'Y');
    Queue(text);
}

void QueueFeature(int n)
{
    if (!SevenHundredSeries()) {
        QueueIdentity();
        return;
    }
    static const char* const k70092[4] = {"C !#", "A ", "B  ", "B\" "};
    static const char* const k70096[4] = {"B !", "A ", "B  ", "B\" "};
    Queue(HpModel == 4 ? k70096[n] : k70092[n]);
}

void QueueStatus(char introducer, const u8 status[7])
{
    Hp700QueueSendUnit(kEsc);
    Hp700QueueSendUnit(static_cast<u8>(introducer));
    for (int i = 0; i < 7; ++i)
        Hp700QueueSendUnit(status[i]);
}

void QueueDeviceStatus()
{
    const u8 n = Hp700.deviceAsked;
    const bool busy = Hp700.copyMode != 0 || Hp700.logTop || Hp700.logBottom;
    char text[16];
    std::snprintf(text, sizeof text, "\x1b\\p%c0%c%c", '0' + n, busy ? '9' : '8', n == 6 ? '0' : '1');
    Queue(text);
}

// One pair's six values ("0.50a", "1.00b"; a 0 left out), its number and its end.
void QueuePair(int n, char end)
{
    static const char kLetters[6] = {'a', 'b', 'c', 'x', 'y', 'z'};
    char text[16];
    for (int i = 0; i < 6; ++i) {
        const int v = Hp700.pairValues[n][i];
        if (v == 0)
            continue;
        if (v >= 100)
            std::snprintf(text, sizeof text, "1.00%c", kLetters[i]);
        else
            std::snprintf(text, sizeof text, "0.%02d%c", v, kLetters[i]);
        Queue(text);
    }
    std::snprintf(text, sizeof text, "0%d%c", n, end);
    Queue(text);
}

void QueueColourPairs()
{
    Queue(Hp700.colourModeHls ? "\x1b&v1m" : "\x1b&v0m");
    if (Hp700.colourPairAsked <= 7) {
        QueuePair(Hp700.colourPairAsked, 'I');
        return;
    }
    for (int n = 0; n < 7; ++n)
        QueuePair(n, 'i');
    QueuePair(7, 'I');
}

// The reply of `bit`, its terminator included.
void SendReply(int bit)
{
    switch (bit) {
    case kHpReplyPrimary: {
        u8 status[7];
        Hp700PrimaryStatus(status);
        QueueStatus('\\', status);
        break;
    }
    case kHpReplySecondary: {
        u8 status[7];
        Hp700SecondaryStatus(status);
        QueueStatus('|', status);
        break;
    }
    case kHpReplyDevice: QueueDeviceStatus(); break;
    case kHpReplyCursorAbsolute: QueueCursor(true); break;
    case kHpReplyCursorRelative: QueueCursor(false); break;
    case kHpReplyKey:
        Hp700SendKeyTransmission();
        Hp700FlushSend();
        return;
    case kHpReplyEnter:
    case kHpReplyEnterCharacter:
    case kHpReplyEnterModify:
        Hp700SendEnter(bit);
        Hp700FlushSend();
        return;
    case kHpReplyBlock:
        Hp700BlockTransfer();
        Hp700FlushSend();
        return;
    case kHpReplyCompletion:
        if (Hp700.completionFromKey)
            return;
        Hp700QueueSendUnit(Hp700.completionLetter);
        break;
    case kHpReplyIdentity:
    case kHpReplyIdentity5: QueueIdentity(); break;
    case kHpReplyFeature1:
    case kHpReplyFeature2:
    case kHpReplyFeature3:
    case kHpReplyFeature4: QueueFeature(bit - kHpReplyFeature1); break;
    case kHpReplyColourPair: QueueColourPairs(); break;
    case kHpReplyProductName:
        if (SevenHundredSeries())
            Queue("vexaNT");
        else
            QueueIdentity();
        break;
    default: return;
    }
    Hp700QueueTerminator();
    Hp700FlushSend();
}

void SendLowest()
{
    for (int bit = 0; bit < 32; ++bit) {
        if (Hp700.pending & (1u << bit)) {
            Hp700.pending &= ~(1u << bit);
            SendReply(bit);
            return;
        }
    }
}

void QueueLineEnd()
{
    Hp700QueueSendUnit(kCr);
    if (Hp700.settings.autolf)
        Hp700QueueSendUnit(kLf);
}

}  // namespace

void Hp700Request(int bit)
{
    const u32 mask = 1u << bit;
    if (Hp700.pending & mask)
        return;
    Hp700.pending |= mask;
    if (Hp700.settings.typeahead)
        Hp700.keyboardHeld = true;
}

void Hp700RunPending()
{
    while (Hp700.pending != 0 && Hp700.handshake == 0) {
        const bool dc1 = !Hp700.settings.inhhndshk;
        const bool dc2 = Hp700.settings.inhhndshk && !Hp700.settings.inhdc2;
        if ((dc1 || dc2) && !ReplayFileOpen()) {
            // The reply waits for the host's DC1 (the bytes meanwhile are processed).
            Hp700.dc1Received = false;
            Suspend();
            Hp700.handshake = kAwaitDc1;
            return;
        }
        SendLowest();
    }
}

void Hp700Dc1Received()
{
    Hp700.dc1Received = true;
    if (Hp700.handshake == 0)
        return;
    const bool dc2 = Hp700.settings.inhhndshk && !Hp700.settings.inhdc2;
    if (Hp700.handshake == kAwaitDc1 && dc2) {
        Hp700QueueSendUnit(kDc2);
        if (!Hp700.settings.txpage)
            QueueLineEnd();
        Hp700FlushSend();
        Hp700.handshake = kAwaitSecondDc1;
        return;
    }
    Hp700.handshake = 0;
    Resume();
    SendLowest();
    // A further pending reply waits for a DC1 of its own (the byte path runs it).
}

void Hp700QueueTerminator()
{
    if (Hp700.settings.blockmode && Hp700.settings.txpage)
        Hp700QueueSendUnit(Hp700.settings.blockterm);
    else
        QueueLineEnd();
}

void Hp700PrimaryStatus(u8 out[7])
{
    const Hp700Settings& s = Hp700.settings;
    const u32 p = Hp700.pending;
    auto has = [p](int bit) { return (p & (1u << bit)) != 0; };
    switch (Hp700.pages) {
    case 2: out[0] = '4'; break;
    case 6: out[0] = ':'; break;
    case 8: out[0] = '?'; break;
    default: out[0] = '8'; break;
    }
    out[1] = static_cast<u8>(0x30 | (s.txpage ? 8 : 0) | (s.inheolwrap ? 4 : 0) | (s.spow ? 2 : 0) |
                             (s.txfunctns ? 1 : 0));
    out[2] = static_cast<u8>(0x30 | (s.inhdc2 ? 8 : 0) | (s.inhhndshk ? 4 : 0));
    out[3] = static_cast<u8>(0x30 | 8 | (s.autolf ? 4 : 0) | (s.blockmode ? 2 : 0) | (s.capslock ? 1 : 0));
    out[4] = static_cast<u8>(0x30 | (has(kHpReplySecondary) ? 8 : 0) | (has(kHpReplyEnterCharacter) ? 4 : 0) |
                             (has(kHpReplyKey) ? 2 : 0) |
                             (has(kHpReplyCursorAbsolute) || has(kHpReplyCursorRelative) ? 1 : 0));
    out[5] = Hp700.selfTestRan ? '2' : '0';
    out[6] = static_cast<u8>(0x30 | (has(kHpReplyCompletion) || has(kHpReplyDevice) ? 1 : 0));
}

void Hp700SecondaryStatus(u8 out[7])
{
    const Hp700Settings& s = Hp700.settings;
    out[0] = '0';
    out[1] = '5';
    out[2] = '0';
    out[3] = static_cast<u8>(0x30 + (s.escxfer ? 1 : 0));
    out[4] = '0';
    out[5] = static_cast<u8>(0x30 + (s.chkparity ? 8 : 0));
    if (!Hp700.memoryLock)
        out[6] = '0';
    else
        out[6] = static_cast<u8>(0x32 + (Hp700MemoryFull() ? 4 : 0) + (Hp700LockRangeSet() ? 1 : 0));
}

int Hp700IdentityText(wchar16* out, int capacity)
{
    int n = 0;
    if (Hp700.settings.customId[0]) {
        for (; n + 1 < capacity && n < kHpCustomIdUnits && Hp700.settings.customId[n]; ++n)
            out[n] = Hp700.settings.customId[n];
    } else {
        static const char* const kModels[5] = {"2392A", "70092", "2622A", "70094", "70096"};
        const char* model = kModels[HpModel <= 4 ? HpModel : 2];
        for (; n + 1 < capacity && model[n]; ++n)
            out[n] = static_cast<wchar16>(model[n]);
    }
    if (capacity > 0)
        out[n] = 0;
    return n;
}
