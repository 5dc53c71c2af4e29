#include "terminal/comms/aux/auxfilter.h"

namespace {

constexpr u8 kNul = 0, kXon = 17, kXoff = 19, kEsc = 27, kCsi = 155, kCr = 13, kLf = 10;

void Flush(AuxFilterState& state, const AuxFilterOptions& options, AuxFilterOutput& out)
{
    for (int i = 0; i < state.length; ++i)
        AuxPrintByte(state, options, state.sequence[i], out);
    state.length = 0;
}

bool Is(const AuxFilterState& state, const char* text)
{
    int i = 0;
    for (; text[i]; ++i)
        if (i >= state.length || state.sequence[i] != static_cast<u8>(text[i]))
            return false;
    return i == state.length;
}

// The beginnings of the closing sequence, which keep the bytes collected.
bool Opening(const AuxFilterState& state)
{
    // clang-format off
    return Is(state, "\x1b[") || Is(state, "\x1b[6") || Is(state, "\x9b" "6");
    // clang-format on
}

bool Closing(const AuxFilterState& state)
{
    // clang-format off
    return Is(state, "\x1b[6i") || Is(state, "\x9b" "6i");
    // clang-format on
}

}  // namespace

void AuxPrintByte(AuxFilterState& state, const AuxFilterOptions& options, u8 b, AuxFilterOutput& out)
{
    if (!options.autoLf) {
        out.Write(b);
        return;
    }
    if (b == kLf && state.afterCr) {
        state.afterCr = false;
        return;
    }
    state.afterCr = b == kCr;
    out.Write(b);
    if (b == kCr)
        out.Write(kLf);
}

void AuxFilterByte(AuxFilterState& state, const AuxFilterOptions& options, u8 b, AuxFilterOutput& out)
{
    if (options.dropFlowBytes && (b == kNul || b == kXon || b == kXoff))
        return;
    if (b == kEsc || (b == kCsi && options.csiIntroduces)) {
        Flush(state, options, out);
        state.sequence[0] = b;
        state.length = 1;
        return;
    }
    if (state.length == 0) {
        AuxPrintByte(state, options, out.Map(b), out);
        return;
    }
    state.sequence[state.length++] = b;
    if (options.vt52) {
        if (state.length < 2)
            return;
        if (Is(state, "\x1bX")) {
            state.length = 0;
            out.End();
            return;
        }
    } else {
        if (Closing(state)) {
            state.length = 0;
            out.End();
            return;
        }
        if (Opening(state) && state.length < kAuxSequenceCap)
            return;
    }
    Flush(state, options, out);
}
