// Host macros of the VT420 class: DECDMAC stores a text in one of 64 slots, DECINVM has
// the terminal receive it as if the host had sent it again. Hosts use them to send a
// long sequence (a form, a soft font) once and replay it with a few bytes.
#include <cstring>
#include <new>
#include <vector>

#include "terminal/core/base/hexparse.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dec/controls/controlstring.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {

constexpr int kMacroSlots = 64;
// The macro memory of the terminal; what the host stores and what is being replayed
// share it, so a replay that stores more cannot grow without end.
constexpr int kMacroMemoryBytes = 32767;

struct HostMacroTable {
    std::vector<u8> text[kMacroSlots];
    u8 defined[kMacroSlots] = {};
    int bytesInUse = 0;
};
HostMacroTable g_macros;

void DeleteMacro(int slot)
{
    g_macros.bytesInUse -= static_cast<int>(g_macros.text[slot].size());
    g_macros.text[slot].clear();
    g_macros.text[slot].shrink_to_fit();
    g_macros.defined[slot] = 0;
}

// The next byte of the body: as it comes (encoding 0), or from a pair of hexadecimal
// digits (encoding 1). kStringEnd at the end of the string; -1 when a byte that is no
// hexadecimal digit ends a hexadecimal body.
int ReadMacroByte(int encoding)
{
    const int first = ReadStringByte();
    if (encoding == 0 || first == kStringEnd)
        return first;
    const int high = HexDigitValue(first);
    if (high < 0)
        return -1;
    const int second = ReadStringByte();
    if (second == kStringEnd)
        return kStringEnd;
    const int low = HexDigitValue(second);
    return low < 0 ? -1 : high * 16 + low;
}

}  // namespace

void DefineMacro()
{
    if (!IsVt420Class() || ParamMarker() != ' ') {
        SkipControlString();
        return;
    }
    const int slot = Param(1), deletion = Param(2), encoding = Param(3);
    if (slot >= kMacroSlots || deletion > 1 || encoding > 1) {
        SkipControlString();
        return;
    }
    if (deletion == 1) {
        DeleteMacro(slot);
    } else {
        for (int s = 0; s < kMacroSlots; ++s)
            DeleteMacro(s);
        g_macros.bytesInUse = 0;
    }
    std::vector<u8> body;
    bool dropped = false;
    for (;;) {
        const int b = ReadMacroByte(encoding);
        if (b == kStringEnd)
            break;
        if (b < 0) {
            SkipControlString();
            break;
        }
        // Texts being replayed hold memory too: a macro that stores macros while it runs
        // is bounded by the same memory.
        if (g_macros.bytesInUse + InjectedTextBytes() + static_cast<int>(body.size()) >= kMacroMemoryBytes)
            dropped = true;
        if (dropped)
            continue;
        try {
            body.push_back(static_cast<u8>(b));
        } catch (const std::bad_alloc&) {
            dropped = true;
        }
    }
    if (dropped)
        return;
    g_macros.text[slot] = std::move(body);
    g_macros.defined[slot] = 1;
    g_macros.bytesInUse += static_cast<int>(g_macros.text[slot].size());
}

void InvokeMacro()
{
    if (!IsVt420Class() || ParamMarker() != ' ')
        return;
    const int slot = Param(1);
    if (slot >= kMacroSlots || !g_macros.defined[slot])
        return;
    const std::vector<u8>& text = g_macros.text[slot];
    if (text.empty())
        return;
    if (g_macros.bytesInUse + InjectedTextBytes() + static_cast<int>(text.size()) > kMacroMemoryBytes)
        return;
    // The reader takes a copy: the macro may delete or redefine itself while it runs.
    InjectHostText(text.data(), static_cast<int>(text.size()));
}

int HostMacroBytesInUse()
{
    return g_macros.bytesInUse + InjectedTextBytes();
}

void ClearHostMacros()
{
    for (int s = 0; s < kMacroSlots; ++s)
        DeleteMacro(s);
    g_macros.bytesInUse = 0;
}
