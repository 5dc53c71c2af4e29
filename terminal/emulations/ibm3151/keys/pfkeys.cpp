#include "terminal/emulations/ibm3151/keys/pfkeys.h"

#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/keys/keys.h"
#include "terminal/emulations/ibm3151/pages.h"

u16 I3151PfKeyTable[kI3151PfKeys][kI3151PfUnits];

namespace {

// The key of ESC ! = from its first byte (and a second one after a first of 32, 64 or
// 96): -1 for none or one past the 36 keys; -2 when the read was abandoned.
int DefinedKeyIndex()
{
    const int k = I3151NextByte();
    if (k < 0)
        return -2;
    if (k % 32 != 0)
        return k % 32 - 1 < kI3151PfKeys ? k % 32 - 1 : -1;
    const int second = I3151NextByte();
    if (second < 0)
        return -2;
    const int index = second % 32 == 0 ? -1 : 30 + second % 32;
    return index < kI3151PfKeys ? index : -1;
}

}  // namespace

void I3151DefineFromHost()
{
    const int index = DefinedKeyIndex();
    if (index < 0)
        return;
    const int kindByte = I3151NextByte();
    if (kindByte < 0)
        return;
    u16 record[kI3151PfUnits] = {};
    record[0] = static_cast<u16>(kindByte % 2 == 0 ? 1 : 2);
    int n = 1;
    auto store = [&](int unit) {
        if (n < kI3151PfUnits - 1)
            record[n++] = static_cast<u16>(unit);
    };
    for (;;) {
        const int b = I3151NextByte();
        if (b < 0)
            return;  // abandoned: the key keeps what it had
        if (b != kI51Esc) {
            store(b);
            continue;
        }
        const int next = I3151NextByte();
        if (next < 0)
            return;
        if (next == '=')
            break;
        store(b);
        store(next);
    }
    for (int i = 0; i < kI3151PfUnits; ++i)
        I3151PfKeyTable[index][i] = record[i];
}

void I3151ClearPfKeyFromHost()
{
    const int k = I3151NextByte();
    if (k < 0)
        return;
    int index;
    if ((k & 0x3C) == 0x20) {
        const int second = I3151NextByte();
        if (second < 0 || second % 32 == 0)
            return;
        index = 29 + second % 32;
    } else {
        index = k % 32 - 1;
    }
    I3151ClearPfKey(index);
}

void I3151ClearPfKey(int index)
{
    if (index < 0 || index >= kI3151PfKeys)
        return;
    for (u16& unit : I3151PfKeyTable[index])
        unit = 0;
}

void I3151ClearAllPfKeys()
{
    for (int i = 0; i < kI3151PfKeys; ++i)
        I3151ClearPfKey(i);
}

bool I3151PfKeyDefined(int index)
{
    return index >= 0 && index < kI3151PfKeys && I3151PfKeyTable[index][0] != 0;
}

bool I3151AnyPfKeyDefined()
{
    for (const auto& record : I3151PfKeyTable)
        for (u16 unit : record)
            if (unit)
                return true;
    return false;
}

void I3151SendPfKey(int index)
{
    if (!I3151PfKeyDefined(index))
        return;
    const u16* record = I3151PfKeyTable[index];
    u16 units[kI3151PfUnits];
    int n = 0;
    for (int i = 1; i < kI3151PfUnits - 1 && record[i]; ++i)
        units[n++] = record[i];
    if (record[0] == 1)
        units[n++] = I3151Turnaround();
    I3151SendKeyUnits(units, n);
}

void I3151StorePfKey(int index, const u16* text, int count)
{
    if (index < 0 || index >= kI3151PfKeys)
        return;
    I3151ClearPfKey(index);
    I3151PfKeyTable[index][0] = 2;
    int n = 1;
    for (int i = 0; i < count && n < kI3151PfUnits - 1; ++i)
        if (text[i])
            I3151PfKeyTable[index][n++] = text[i];
}
