#include "terminal/emulations/dg/dgparams.h"

#include <limits>

#include "terminal/emulations/dg/dgstate.h"

namespace {
int g_count = 1;
int g_used = kDgParamSlots;  // every slot counts as used until the first start clears them
u8 g_marker = ' ';

DgParamSlot* Slot(int i)
{
    return Dg.params && i >= 0 && i < kDgParamSlots ? &Dg.params[i] : nullptr;
}
}  // namespace

void DgParamsStart()
{
    g_marker = ' ';
    if (Dg.mode != kDgModeAnsi || !Dg.params)
        return;
    // Only the slots a sequence wrote since the last start need clearing.
    for (int i = 0; i < g_used && i < kDgParamSlots; ++i)
        Dg.params[i] = DgParamSlot{0, ' ', 0};
    g_count = 1;
    g_used = 1;
}

void DgParamAccumulate(int digit)
{
    DgParamSlot* s = Slot(g_count - 1);
    if (!s)
        return;
    const i64 v = static_cast<i64>(static_cast<i32>(s->value)) * 10 + digit;
    const i64 lo = std::numeric_limits<i32>::min(), hi = std::numeric_limits<i32>::max();
    s->value = static_cast<u32>(static_cast<i32>(v < lo ? lo : v > hi ? hi : v));
}

void DgParamNext()
{
    if (g_count >= kDgParamSlots)
        return;
    ++g_count;
    if (g_count > g_used)
        g_used = g_count;
    if (DgParamSlot* s = Slot(g_count - 1))
        s->marker = g_marker;
}

void DgParamMarkerByte(u8 marker)
{
    g_marker = marker;
    if (DgParamSlot* s = Slot(g_count - 1))
        s->marker = marker;
}

int DgParamCount()
{
    return g_count;
}

i32 DgParam(int i)
{
    const DgParamSlot* s = i < g_count ? Slot(i) : nullptr;
    return s ? static_cast<i32>(s->value) : 0;
}

u8 DgParamMarker(int i)
{
    const DgParamSlot* s = i < g_count ? Slot(i) : nullptr;
    return s ? s->marker : ' ';
}

u8 DgMarker()
{
    return g_marker;
}
