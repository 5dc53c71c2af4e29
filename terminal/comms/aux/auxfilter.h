// Pass-through printing as data: which received bytes go to the auxiliary port, the
// closing sequence watched for inside them, and the CR handling of AutoLF.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct AuxFilterOptions {
    bool dropFlowBytes;  // NUL, XON and XOFF are not passed on (disp_errors off)
    bool vt52;           // ESC X closes, instead of CSI 6 i
    bool csiIntroduces;  // an 8-bit CSI starts a sequence as ESC [ does
    bool autoLf;         // CR is printed as CR LF, an LF right after it dropped
};

// Where the filter's bytes go. `Map` is the printer's character translation of a
// plain byte; sequence bytes pass unchanged.
class AuxFilterOutput {
public:
    virtual ~AuxFilterOutput() = default;
    virtual u8 Map(u8 b) = 0;
    virtual void Write(u8 b) = 0;
    virtual void End() = 0;  // the closing sequence arrived
};

constexpr int kAuxSequenceCap = 5;

struct AuxFilterState {
    u8 sequence[kAuxSequenceCap] = {};
    u8 length = 0;
    bool afterCr = false;
};

// One received byte while pass-through is on.
void AuxFilterByte(AuxFilterState& state, const AuxFilterOptions& options, u8 b, AuxFilterOutput& out);
// One byte on its way to the port, through AutoLF.
void AuxPrintByte(AuxFilterState& state, const AuxFilterOptions& options, u8 b, AuxFilterOutput& out);
