// The printer-controller filter: in printer-controller mode every received byte goes
// to the printer except the sequence that ends the mode (CSI 4 i, ESC [ 4 i, and under
// VT52 ESC X), which the filter watches for across bytes and never prints.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct ControllerSequence {
    u8 bytes[5] = {};
    u32 count = 0;
};

struct ControllerOptions {
    bool vt52 = false;            // the VT52 ending, ESC X
    bool csiIsCharacter = false;  // a PC character set: 155 is a character, not CSI
    bool dropNulXonXoff = false;  // "disp_errors" off: NUL, XON and XOFF never print
};

class ControllerOutput {
public:
    virtual ~ControllerOutput() = default;
    // Bytes of a sequence that turned out not to end the mode: printed as they came.
    virtual void PrintSequenceByte(u8 b) = 0;
    // Any other byte (the caller applies its national translation).
    virtual void PrintByte(u8 b) = 0;
};

// Takes one received byte; true when it completed the ending sequence.
bool ControllerFilterByte(ControllerSequence& seq, u8 b, const ControllerOptions& options, ControllerOutput& out);
