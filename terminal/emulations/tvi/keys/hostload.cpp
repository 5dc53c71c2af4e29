#include "terminal/emulations/tvi/keys/hostload.h"

#include "terminal/emulations/tvi/keys/editkeys.h"
#include "terminal/emulations/tvi/keys/fkeys.h"

namespace {

constexpr int kDle = 0x10, kFs = 0x1C, kEm = 0x19, kEsc = 0x1B;
// The most a key's text may take on the line, its direction digit included.
constexpr int kLoadUnits = 258;
constexpr int kLastLoadedKey = 31;

enum class TextEnd { Key, Loading, Stopped };

// Reads one key's text up to FS or EM into `text`; the first unit is the direction digit.
TextEnd ReadText(TviByteSource next, u16 (&text)[kLoadUnits], int& length)
{
    length = 0;
    while (length < kLoadUnits) {
        int b = next();
        if (b < 0)
            return TextEnd::Stopped;
        if (b == kFs)
            return TextEnd::Key;
        if (b == kEm)
            return TextEnd::Loading;
        if (b == kDle && (b = next()) < 0)
            return TextEnd::Stopped;
        text[length++] = static_cast<u16>(b & 0xFF);
    }
    // A text that runs past what a key can hold ends the loading: the bytes after it are
    // the host's data again.
    return TextEnd::Loading;
}

void Store(int key, const u16* text, int length)
{
    if (key < 0 || length < 1) {
        if (key >= 0)
            TviSetFunctionKey(key, nullptr, 0, 0, kTviLiveKeys);
        return;
    }
    const u8 flags = static_cast<u8>(text[0] - '0');
    TviSetFunctionKey(key, text + 1, length - 1, flags, kTviLiveKeys);
}

int Next(TviByteSource next)
{
    return next ? next() : -1;
}

}  // namespace

int TviFunctionKeyNumber(int b, bool tvi950)
{
    if (!tvi950)
        return b >= '1' && b <= 'P' ? b - '1' : -1;
    if (b >= '1' && b <= ';')
        return b - '1';
    if (b >= 'G' && b <= 'K')
        return 11 + b - 'G';
    if (b >= '<' && b <= 'F')
        return 16 + b - '<';
    return b == 'L' ? 32 : -1;
}

void TviLoadFunctionKeys(int first, TviByteSource next)
{
    if (first < 0 || !next)
        return;
    if (first == ' ') {
        TviClearFunctionKeys(kTviLiveKeys);
        return;
    }
    const bool all = first == '0';
    int key = 0;
    if (all) {
        TviClearFunctionKeys(kTviLiveKeys);
    } else {
        key = TviFunctionKeyNumber(first, Tvi.tvi950);
    }
    for (;;) {
        u16 text[kLoadUnits];
        int length = 0;
        const TextEnd end = ReadText(next, text, length);
        if (end == TextEnd::Stopped)
            return;
        // A key byte that names no key: its text is read and dropped.
        if (key >= 0)
            Store(key, text, length);
        if (end == TextEnd::Loading || !all || ++key > kLastLoadedKey)
            return;
    }
}

void TviLoadEditKey(TviByteSource next)
{
    const int k = Next(next);
    if (k == '1' || k == '2') {
        const int x = Next(next);
        if (x >= 0)
            TviSetEditKey(k == '1' ? 16 : 36, kEsc, static_cast<u16>(x), 0, kTviLiveKeys);
        return;
    }
    int entry = -1;
    if (k >= '@' && k <= 'S')
        entry = k - 64;
    else if (k >= '`' && k <= 's')
        entry = k - 76;
    if (entry < 0)
        return;
    int units[kTviEditUnits];
    for (int& u : units)
        if ((u = Next(next)) < 0)
            return;
    TviSetEditKey(entry, static_cast<u16>(units[0]), static_cast<u16>(units[1]), static_cast<u16>(units[2]),
                  kTviLiveKeys);
}

void TviLoadEditKeys(TviByteSource next)
{
    const int n = Next(next);
    if (n < 0)
        return;
    u16 units[kTviEditHalfUnits];
    for (u16& u : units) {
        const int b = Next(next);
        if (b < 0)
            return;
        u = static_cast<u16>(b);
    }
    TviSetEditKeys(n == '0' ? 0 : 1, units, kTviLiveKeys);
}
