#include "terminal/comms/printing/printcontroller.h"

namespace {

constexpr u8 kEsc = 27, kCsi = 155, kXon = 17, kXoff = 19;

void PrintCollected(ControllerSequence& seq, ControllerOutput& out)
{
    for (u32 i = 0; i < seq.count; ++i)
        out.PrintSequenceByte(seq.bytes[i]);
    seq.count = 0;
}

bool IsFourOrSix(u8 b)
{
    return b == '4' || b == '6';
}

// The sequence now holds one more byte: what it has become. 1 ends the mode, 0 keeps
// collecting, -1 prints it.
int Judge(const ControllerSequence& seq, bool vt52)
{
    const u8* s = seq.bytes;
    const u8 last = s[seq.count - 1];
    if (vt52)
        return s[0] == kEsc && last == 'X' ? 1 : -1;
    if (s[0] == kEsc) {
        switch (seq.count) {
        case 2: return last == '[' ? 0 : -1;
        case 3: return IsFourOrSix(last) ? 0 : -1;
        default: return last == 'i' ? 1 : -1;
        }
    }
    switch (seq.count) {
    case 2: return IsFourOrSix(last) ? 0 : -1;
    default: return last == 'i' ? 1 : -1;
    }
}

}  // namespace

bool ControllerFilterByte(ControllerSequence& seq, u8 b, const ControllerOptions& options, ControllerOutput& out)
{
    if (options.dropNulXonXoff && (b == 0 || b == kXon || b == kXoff))
        return false;
    if (b == kEsc || (b == kCsi && !options.csiIsCharacter)) {
        PrintCollected(seq, out);
        seq.bytes[0] = b;
        seq.count = 1;
        return false;
    }
    if (seq.count == 0 || seq.count >= sizeof seq.bytes) {
        PrintCollected(seq, out);
        out.PrintByte(b);
        return false;
    }
    seq.bytes[seq.count++] = b;
    switch (Judge(seq, options.vt52)) {
    case 1: seq.count = 0; return true;
    case 0: return false;
    default: PrintCollected(seq, out); return false;
    }
}
