#include "terminal/emulations/tvi/keys/editkeys.h"

#include <algorithm>

#include "terminal/emulations/tvi/keys/fkeys.h"

namespace {

constexpr u16 kSoh = 0x01, kStx = 0x02, kAck = 0x06, kBel = 0x07, kBs = 0x08, kHt = 0x09, kLf = 0x0A, kVt = 0x0B,
              kFf = 0x0C, kCr = 0x0D, kDle = 0x10, kSyn = 0x16, kCan = 0x18, kSub = 0x1A, kEsc = 0x1B, kRs = 0x1E;

struct FactoryEntry {
    u16 secondSet[kTviEditUnits];
    u16 firstSet[kTviEditUnits];
};

// clang-format off
constexpr FactoryEntry kFactory[kTviEditKeys] = {
    {{kRs},            {kRs}},               // 0 Home
    {{kSyn},           {kSoh}},              // 1 Down
    {{kVt},            {kDle}},              // 2 Up
    {{kBs},            {kStx}},              // 3 Left
    {{kFf},            {kAck}},              // 4 Right
    {{kHt},            {kHt}},               // 5 Tab
    {{kEsc, 'I'},      {kEsc, 'I'}},         // 6
    {{kSub},           {kSub}},              // 7
    {{kEsc, 'P'},      {kEsc, 'P'}},         // 8 Print
    {{kEsc, 'Q'},      {kEsc, 'Q'}},         // 9 Insert character
    {{kEsc, 'W'},      {kEsc, 'W'}},         // 10 Delete character
    {{kEsc, 'E'},      {kEsc, 'E'}},         // 11 Insert line
    {{kEsc, 'R'},      {kEsc, 'R'}},         // 12 Delete line
    {{kEsc, 'T'},      {kEsc, 'T'}},         // 13
    {{kEsc, 'Y'},      {kEsc, 'Y'}},         // 14
    {{kEsc, 'K'},      {kEsc, 'K'}},         // 15
    {{kEsc, '7'},      {kEsc, '7'}},         // 16
    {{kHt},            {kHt}},               // 17
    {{kCan},           {kCan}},              // 18
    {{kCr},            {kBel}},              // 19
    {{kSub},           {kEsc, '[', 'H'}},    // 20
    {{kLf},            {kEsc, 'n'}},         // 21
    {{kEsc, 'j'},      {kEsc, 'p'}},         // 22
    {{kEsc, '[', 'D'}, {kEsc, 'b'}},         // 23
    {{kEsc, '[', 'C'}, {kEsc, 'f'}},         // 24
    {{kEsc, '1'},      {kEsc, '1'}},         // 25
    {{kEsc, '2'},      {kEsc, '2'}},         // 26
    {{kEsc, '*'},      {kEsc, '*'}},         // 27
    {{kEsc, 'L'},      {kEsc, 'L'}},         // 28
    {{kEsc, 'q'},      {kEsc, 'q'}},         // 29
    {{kEsc, 'r'},      {kEsc, 'r'}},         // 30
    {{kEsc, 'N'},      {kEsc, 'N'}},         // 31
    {{kEsc, 'O'},      {kEsc, 'O'}},         // 32
    {{kEsc, 't'},      {kEsc, 't'}},         // 33
    {{kEsc, 'y'},      {kEsc, 'y'}},         // 34
    {{kEsc, 'J'},      {kEsc, 'J'}},         // 35
    {{kEsc, '6'},      {kEsc, '6'}},         // 36
    {{kHt},            {kHt}},               // 37
    {{kEsc, '3'},      {kEsc, '3'}},         // 38
    {{kCr, kLf},       {kCr, kLf}},          // 39
};
// clang-format on

TviEditKeyTable* Table(int copy)
{
    return TviEditKeysOf(copy);
}

}  // namespace

TviEditKeyTable* TviEditKeysOf(int copy)
{
    if (copy == kTviLiveKeys)
        return &Tvi.editKeys;
    return copy == kTviSetupKeys ? &TviSetup.editKeys : nullptr;
}

const u16* TviFactoryEditKey(int entry, bool secondSet)
{
    if (entry < 0 || entry >= kTviEditKeys)
        return nullptr;
    return secondSet ? kFactory[entry].secondSet : kFactory[entry].firstSet;
}

void TviDefaultEditKeys(int copy)
{
    const TviSettings& set = copy == kTviSetupKeys ? TviSetup.set : Tvi.set;
    TviDefaultEditKeysInSet(copy, (set.options & kTviOptEditSet) != 0);
}

void TviDefaultEditKeysInSet(int copy, bool secondSet)
{
    TviEditKeyTable* table = Table(copy);
    if (!table)
        return;
    for (int e = 0; e < kTviEditKeys; ++e) {
        const u16* units = TviFactoryEditKey(e, secondSet);
        std::copy(units, units + kTviEditUnits, table->units[e]);
    }
}

void TviSetEditKey(int entry, u16 u, u16 v, u16 w, int copy)
{
    TviEditKeyTable* table = Table(copy);
    if (!table || entry < 0 || entry >= kTviEditKeys)
        return;
    table->units[entry][0] = u;
    table->units[entry][1] = v;
    table->units[entry][2] = w;
}

void TviSetEditKeys(int half, const u16* units, int copy)
{
    TviEditKeyTable* table = Table(copy);
    if (!table || !units || (half != 0 && half != 1))
        return;
    for (int e = 0; e < 20; ++e)
        for (int u = 0; u < kTviEditUnits; ++u)
            table->units[half * 20 + e][u] = units[e * kTviEditUnits + u];
}

int TviGetEditKeys(int half, u16* units, int copy)
{
    const TviEditKeyTable* table = Table(copy);
    if (!table || !units || (half != 0 && half != 1))
        return 0;
    for (int e = 0; e < 20; ++e)
        for (int u = 0; u < kTviEditUnits; ++u)
            units[e * kTviEditUnits + u] = table->units[half * 20 + e][u];
    return kTviEditHalfUnits;
}

void TviCopyEditKeys(int from, int to)
{
    const TviEditKeyTable* source = Table(from);
    TviEditKeyTable* target = Table(to);
    if (source && target && source != target)
        *target = *source;
}
