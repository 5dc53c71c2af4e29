// The settings and modes the painters read. Their owners (the profile store, the VT
// emulation's mode sequences) set them; painting only reads.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

struct PaintSettingState {
    std::atomic<u8> characterMode{0};    // the painted character set ("upss" numbering)
    std::atomic<u8> pcCodePage{0};       // the PC code page index of character mode 4
    std::atomic<u8> displayControls{0};  // "dspctrl": control codes shown as pictures
    std::atomic<u8> jumpScroll{0};       // "JumpScroll": scrolls are counted, redrawn later
    std::atomic<u8> reverseScreen{0};    // DECSCNM: the screen in reverse colours
    std::atomic<u8> cursorStyle{1};      // "curstyle": 0/1 blinking underline/block, 2/3 steady
    std::atomic<u8> displayOff{0};       // the host switched the screen display off
};
extern PaintSettingState PaintSettings;
