#include "terminal/core/host/escparser.h"

// Every slot counts as used until the first reset has cleared them all.
CsiParameterSet CsiParameters{{}, kCsiSlots, 0, 0, 0, 0};
std::atomic<u8> InSequence{0};
const ParserRange EmptyParserState[] = {{0, 0, nullptr}};

namespace {
bool IsEmptyState(const ParserRange* state)
{
    return !state || state[0].first == 0;
}
}  // namespace

void ParseWithStateTableFrom(const ParserRange* state, int (*nextByte)())
{
    if (IsEmptyState(state) || !nextByte)
        return;
    int b = nextByte();
    while (b != 0) {
        CsiParameters.currentByte = static_cast<u8>(b);
        const i8 key = static_cast<i8>(b);
        const ParserRange* range = state;
        while (range->first != 0 && !(range->first <= key && key <= range->last))
            ++range;
        if (range->first == 0)
            return;  // no range holds the byte: the sequence ends and the byte is dropped
        const ParserAction& action = range->actions[key - range->first];
        if (action.handler)
            action.handler();
        if (IsEmptyState(action.next))
            return;
        state = action.next;
        b = nextByte();
    }
}

void ResetCsiCollector()
{
    CsiParameterSet& p = CsiParameters;
    // The handlers write no slot past `count`, and the rest were cleared by the last
    // reset: only the slots used since then are cleared.
    const int used = p.count < kCsiSlots ? p.count : kCsiSlots;
    for (int i = 0; i <= used; ++i)
        p.slots[i] = CsiSlot{0, ' '};
    p.count = 1;
    p.digits = 0;
    p.markerInForce = ' ';
    p.intermediate = ' ';
}

void CsiParamDigit()
{
    CsiParameterSet& p = CsiParameters;
    CsiSlot& slot = p.slots[p.count];
    // Kept to 16 bits: a longer number wraps, as the host's terminal would.
    slot.value = static_cast<u16>(slot.value * 10u + (p.currentByte - '0'));
    ++p.digits;
}

void CsiNextParam()
{
    CsiParameterSet& p = CsiParameters;
    if (p.count >= kCsiSlots)
        return;  // further digits go on accumulating into slot 50
    p.digits = 0;
    ++p.count;
    p.slots[p.count].marker = p.markerInForce;
}

void CsiParamMarker()
{
    CsiParameterSet& p = CsiParameters;
    const u8 marker = p.digits == 0 ? p.currentByte : 'E';
    p.markerInForce = marker;
    p.slots[p.count].marker = marker;
}

void CsiCollectIntermediate()
{
    CsiParameters.intermediate = CsiParameters.currentByte;
}

void IgnoreAction() {}

void SkipSequenceBytesFrom(int low, int high, int (*nextByte)())
{
    if (!nextByte)
        return;
    for (;;) {
        const int b = nextByte();
        if (b == 0 || b < low || b > high)
            return;
    }
}

u8 MapByteByPairTable(u8 b, const u8* table)
{
    if (!table)
        return b;
    for (; table[0]; table += 2)
        if (table[0] == b)
            return table[1];
    return b;
}
