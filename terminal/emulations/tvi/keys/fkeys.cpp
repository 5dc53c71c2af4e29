#include "terminal/emulations/tvi/keys/fkeys.h"

#include <algorithm>

namespace {

constexpr u16 kSoh = 0x01, kCr = 0x0D;
constexpr int kFactoryKeys = 32;  // key 32 has no factory text

TviFunctionKeyTable* Table(int copy)
{
    return TviFunctionKeysOf(copy);
}

TviFunctionKeyBank* Current(int copy)
{
    TviFunctionKeyTable* table = Table(copy);
    return table ? &table->banks[table->current & 1] : nullptr;
}

// The letter between SOH and CR of a factory key: the keys run through the printable
// rows of the code table, bank 0 over "@"-"O" and "`"-"o", bank 1 over "P"-"_" and "p"-DEL.
u16 FactoryLetter(int bank, int key)
{
    const int row = key < 16 ? 0x40 : 0x60;
    return static_cast<u16>(row + (bank ? 16 : 0) + key % 16);
}

int KeyLength(const TviFunctionKeyBank& b, int key)
{
    return static_cast<int>(b.start[key + 1] - b.start[key]);
}

}  // namespace

TviFunctionKeyTable* TviFunctionKeysOf(int copy)
{
    if (copy == kTviLiveKeys)
        return &Tvi.functionKeys;
    return copy == kTviSetupKeys ? &TviSetup.functionKeys : nullptr;
}

void TviDefaultFunctionKeys(int copy)
{
    TviFunctionKeyTable* table = Table(copy);
    if (!table)
        return;
    for (int bank = 0; bank < 2; ++bank) {
        TviFunctionKeyBank& b = table->banks[bank];
        b = TviFunctionKeyBank{};
        u32 at = 0;
        for (int key = 0; key < kTviFunctionKeys; ++key) {
            b.start[key] = at;
            b.flags[key] = kTviKeySends;
            if (key < kFactoryKeys) {
                b.text[at++] = kSoh;
                b.text[at++] = FactoryLetter(bank, key);
                b.text[at++] = kCr;
            }
        }
        b.start[kTviFunctionKeys] = at;
    }
    table->current = 0;
}

bool TviSetFunctionKey(int key, const u16* text, int length, u8 flags, int copy)
{
    TviFunctionKeyBank* b = Current(copy);
    if (!b || key < 0 || key >= kTviFunctionKeys)
        return false;
    if (!text || length < 0)
        length = 0;
    const int start = static_cast<int>(b->start[key]);
    const int oldEnd = static_cast<int>(b->start[key + 1]);
    const int used = static_cast<int>(b->start[kTviFunctionKeys]);
    length = std::min(length, kTviFunctionKeyUnits - start);
    const int delta = length - (oldEnd - start);
    // The texts of the following keys move by the change in length; what would pass the
    // buffer's end is cut.
    u16 tail[kTviFunctionKeyUnits];
    const int tailLength = used - oldEnd;
    std::copy(b->text + oldEnd, b->text + used, tail);
    std::copy(text, text + length, b->text + start);
    const int kept = std::min(tailLength, kTviFunctionKeyUnits - (start + length));
    std::copy(tail, tail + kept, b->text + start + length);
    std::fill(b->text + start + length + kept, b->text + kTviFunctionKeyUnits, u16{0});
    for (int k = key + 1; k <= kTviFunctionKeys; ++k) {
        const int moved = static_cast<int>(b->start[k]) + delta;
        b->start[k] = static_cast<u32>(std::clamp(moved, start + length, kTviFunctionKeyUnits));
    }
    b->flags[key] = flags;
    return true;
}

int TviGetFunctionKey(u16* buffer, int capacity, int key, int copy)
{
    const TviFunctionKeyBank* b = Current(copy);
    if (!b || key < 0 || key >= kTviFunctionKeys)
        return -1;
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = b->flags[key];
    const int n = std::min(KeyLength(*b, key), capacity - 1);
    std::copy(b->text + b->start[key], b->text + b->start[key] + n, buffer + 1);
    return n + 1;
}

const u16* TviFunctionKeyText(int key, int copy, int* length)
{
    const TviFunctionKeyBank* b = Current(copy);
    if (!b || key < 0 || key >= kTviFunctionKeys) {
        if (length)
            *length = 0;
        return nullptr;
    }
    if (length)
        *length = KeyLength(*b, key);
    return b->text + b->start[key];
}

u8 TviFunctionKeyFlags(int key, int copy)
{
    const TviFunctionKeyBank* b = Current(copy);
    return b && key >= 0 && key < kTviFunctionKeys ? b->flags[key] : 0;
}

void TviClearFunctionKeys(int copy)
{
    if (TviFunctionKeyBank* b = Current(copy))
        *b = TviFunctionKeyBank{};
}

void TviSelectFunctionKeyBank(int bank, int copy)
{
    TviFunctionKeyTable* table = Table(copy);
    if (table && (bank == 0 || bank == 1))
        table->current = static_cast<u8>(bank);
}

void TviCopyFunctionKeys(int from, int to)
{
    const TviFunctionKeyTable* source = Table(from);
    TviFunctionKeyTable* target = Table(to);
    if (source && target && source != target)
        *target = *source;
}

void TviFactoryFunctionKey(int key, int copy)
{
    const TviFunctionKeyTable* table = Table(copy);
    if (!table || key < 0 || key >= kTviFunctionKeys)
        return;
    const u16 text[3] = {kSoh, FactoryLetter(table->current & 1, key), kCr};
    TviSetFunctionKey(key, text, key < kFactoryKeys ? 3 : 0, kTviKeySends, copy);
}

bool TviFunctionKeyIsFactory(int key, int copy)
{
    const TviFunctionKeyTable* table = Table(copy);
    if (!table || key < 0 || key >= kTviFunctionKeys)
        return false;
    const TviFunctionKeyBank& b = table->banks[table->current & 1];
    const int length = KeyLength(b, key);
    if (b.flags[key] != kTviKeySends)
        return false;
    if (key >= kFactoryKeys)
        return length == 0;
    const u16* t = b.text + b.start[key];
    return length == 3 && t[0] == kSoh && t[1] == FactoryLetter(table->current & 1, key) && t[2] == kCr;
}
