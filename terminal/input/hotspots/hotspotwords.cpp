#include "terminal/input/hotspots/hotspotwords.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"

const wchar16 kDefaultHotspotSeparators[] = VXT(" /,:=()[]");

namespace {

// Any emulation.
// clang-format off
constexpr HotspotDefault kGeneral[] = {
    {VXT("F1"), VXT("<VK_F1>")},
    {VXT("F2"), VXT("<VK_F2>")},
    {VXT("F3"), VXT("<VK_F3>")},
    {VXT("F4"), VXT("<VK_F4>")},
    {VXT("F5"), VXT("<VK_F5>")},
    {VXT("F6"), VXT("<VK_F6>")},
    {VXT("F7"), VXT("<VK_F7>")},
    {VXT("F8"), VXT("<VK_F8>")},
    {VXT("F9"), VXT("<VK_F9>")},
    {VXT("F10"), VXT("<VK_F10>")},
    {VXT("F11"), VXT("<VK_F11>")},
    {VXT("F12"), VXT("<VK_F12>")},
};
// clang-format on

// VT500 7-bit and 8-bit.
// clang-format off
constexpr HotspotDefault kVt500[] = {
    {VXT("F6"), VXT("<VT_F6>")},
    {VXT("F7"), VXT("<VT_F7>")},
    {VXT("F8"), VXT("<VT_F8>")},
    {VXT("F9"), VXT("<VT_F9>")},
    {VXT("F10"), VXT("<VT_F10>")},
    {VXT("F11"), VXT("<VT_F11>")},
    {VXT("F12"), VXT("<VT_F12>")},
    {VXT("F13"), VXT("<VT_F13>")},
    {VXT("F14"), VXT("<VT_F14>")},
    {VXT("F15"), VXT("<VT_HELP>")},
    {VXT("HELP"), VXT("<VT_HELP>")},
    {VXT("F16"), VXT("<VT_DO>")},
    {VXT("DO"), VXT("<VT_DO>")},
    {VXT("F17"), VXT("<VT_F17>")},
    {VXT("F18"), VXT("<VT_F18>")},
    {VXT("F19"), VXT("<VT_F19>")},
    {VXT("F20"), VXT("<VT_F20>")},
    {VXT("Find"), VXT("<VT_FIND>")},
    {VXT("Insert"), VXT("<VT_INSERT>")},
    {VXT("Remove"), VXT("<VT_REMOVE>")},
    {VXT("Select"), VXT("<VT_SELECT>")},
    {VXT("Prev"), VXT("<VT_PREV>")},
    {VXT("Next"), VXT("<VT_NEXT>")},
    {VXT("PF1"), VXT("<VT_PF1>")},
    {VXT("PF2"), VXT("<VT_PF2>")},
    {VXT("PF3"), VXT("<VT_PF3>")},
    {VXT("PF4"), VXT("<VT_PF4>")},
    {VXT("Break"), VXT("<VT_BREAK>")},
};
// clang-format on

// 3270: Fn and PFn are the same key.
// clang-format off
constexpr HotspotDefault kIbm3270[] = {
    {VXT("F1"), VXT("<IB_F1>")},
    {VXT("PF1"), VXT("<IB_F1>")},
    {VXT("F2"), VXT("<IB_F2>")},
    {VXT("PF2"), VXT("<IB_F2>")},
    {VXT("F3"), VXT("<IB_F3>")},
    {VXT("PF3"), VXT("<IB_F3>")},
    {VXT("F4"), VXT("<IB_F4>")},
    {VXT("PF4"), VXT("<IB_F4>")},
    {VXT("F5"), VXT("<IB_F5>")},
    {VXT("PF5"), VXT("<IB_F5>")},
    {VXT("F6"), VXT("<IB_F6>")},
    {VXT("PF6"), VXT("<IB_F6>")},
    {VXT("F7"), VXT("<IB_F7>")},
    {VXT("PF7"), VXT("<IB_F7>")},
    {VXT("F8"), VXT("<IB_F8>")},
    {VXT("PF8"), VXT("<IB_F8>")},
    {VXT("F9"), VXT("<IB_F9>")},
    {VXT("PF9"), VXT("<IB_F9>")},
    {VXT("F10"), VXT("<IB_F10>")},
    {VXT("PF10"), VXT("<IB_F10>")},
    {VXT("F11"), VXT("<IB_F11>")},
    {VXT("PF11"), VXT("<IB_F11>")},
    {VXT("F12"), VXT("<IB_F12>")},
    {VXT("PF12"), VXT("<IB_F12>")},
    {VXT("F13"), VXT("<IB_F13>")},
    {VXT("PF13"), VXT("<IB_F13>")},
    {VXT("F14"), VXT("<IB_F14>")},
    {VXT("PF14"), VXT("<IB_F14>")},
    {VXT("F15"), VXT("<IB_F15>")},
    {VXT("PF15"), VXT("<IB_F15>")},
    {VXT("F16"), VXT("<IB_F16>")},
    {VXT("PF16"), VXT("<IB_F16>")},
    {VXT("F17"), VXT("<IB_F17>")},
    {VXT("PF17"), VXT("<IB_F17>")},
    {VXT("F18"), VXT("<IB_F18>")},
    {VXT("PF18"), VXT("<IB_F18>")},
    {VXT("F19"), VXT("<IB_F19>")},
    {VXT("PF19"), VXT("<IB_F19>")},
    {VXT("F20"), VXT("<IB_F20>")},
    {VXT("PF20"), VXT("<IB_F20>")},
};
// clang-format on

// 5250.
// clang-format off
constexpr HotspotDefault kIbm5250[] = {
    {VXT("F1"), VXT("<AS_F1>")},
    {VXT("F2"), VXT("<AS_F2>")},
    {VXT("F3"), VXT("<AS_F3>")},
    {VXT("F4"), VXT("<AS_F4>")},
    {VXT("F5"), VXT("<AS_F5>")},
    {VXT("F6"), VXT("<AS_F6>")},
    {VXT("F7"), VXT("<AS_F7>")},
    {VXT("F8"), VXT("<AS_F8>")},
    {VXT("F9"), VXT("<AS_F9>")},
    {VXT("F10"), VXT("<AS_F10>")},
    {VXT("F11"), VXT("<AS_F11>")},
    {VXT("F12"), VXT("<AS_F12>")},
    {VXT("F13"), VXT("<AS_F13>")},
    {VXT("F14"), VXT("<AS_F14>")},
    {VXT("F15"), VXT("<AS_F15>")},
    {VXT("F16"), VXT("<AS_F16>")},
    {VXT("F17"), VXT("<AS_F17>")},
    {VXT("F18"), VXT("<AS_F18>")},
    {VXT("F19"), VXT("<AS_F19>")},
    {VXT("F20"), VXT("<AS_F20>")},
    {VXT("F21"), VXT("<AS_F21>")},
    {VXT("F22"), VXT("<AS_F22>")},
    {VXT("F23"), VXT("<AS_F23>")},
    {VXT("F24"), VXT("<AS_F24>")},
    {VXT("Attn"), VXT("<AS_ATTN>")},
    {VXT("Enter"), VXT("<AS_ENTER>")},
    {VXT("Print"), VXT("<AS_PRINT>")},
    {VXT("SysRq"), VXT("<AS_SYSREQ>")},
    {VXT("Clear"), VXT("<AS_CLEAR>")},
    {VXT("Reset"), VXT("<AS_RESET>")},
};
// clang-format on

// HP 700/92.
constexpr HotspotDefault kHp[] = {
    {VXT("Send"), VXT("<HP_SEND>")},
};

template <int N>
constexpr HotspotTable Table(const HotspotDefault (&entries)[N])
{
    return HotspotTable{entries, N};
}

constexpr HotspotTable kGeneralTable = Table(kGeneral), kVt500Table = Table(kVt500),
                       kIbm3270Table = Table(kIbm3270), kIbm5250Table = Table(kIbm5250), kHpTable = Table(kHp);

wchar16 Upper(wchar16 c)
{
    return c >= 'a' && c <= 'z' ? static_cast<wchar16>(c - 32) : c;
}

bool IsSeparator(wchar16 c, const wchar16* separators)
{
    if (c == ' ' || c == 0)
        return true;
    for (const wchar16* s = separators; s && *s; ++s)
        if (*s == c)
            return true;
    return false;
}

}  // namespace

HotspotTable GeneralHotspotTable()
{
    return kGeneralTable;
}

const HotspotTable* EmulationHotspotTable(u8 id)
{
    if (const FamilyHooks* family = FamilyFor(id); family && family->hotspotTable)
        if (const HotspotTable* table = family->hotspotTable(id))
            return table;
    // clang-format off
    switch (id) {
    case kEmuVt500Bit7: case kEmuVt500Bit8: return &kVt500Table;
    case kEmuIbm3270: return &kIbm3270Table;
    case kEmuIbm5250: return &kIbm5250Table;
    case kEmuHp70092: return &kHpTable;
    default: return nullptr;
    }
    // clang-format on
}

const wchar16* LookupHotspotDefault(const HotspotTable* table, const wchar16* word, int length)
{
    if (!table || !word)
        return VXT("");
    for (int i = 0; i < table->count; ++i) {
        const wchar16* w = table->entries[i].word;
        int n = 0;
        while (n < length && w[n] && Upper(w[n]) == Upper(word[n]))
            ++n;
        if (n == length && !w[n])
            return table->entries[i].definition;
    }
    return VXT("");
}

bool HotspotWordBounds(const wchar16* text, int first, int last, int column, const wchar16* separators,
                       int* wordFirst, int* wordLast)
{
    if (!text || column < first || column > last || IsSeparator(text[column], separators))
        return false;
    int a = column, b = column;
    while (a > first && !IsSeparator(text[a - 1], separators))
        --a;
    while (b < last && !IsSeparator(text[b + 1], separators))
        ++b;
    *wordFirst = a;
    *wordLast = b;
    return true;
}
