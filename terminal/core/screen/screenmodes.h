// The modes the shared screen operations and the character writers obey. The DEC VT
// family sets them from its mode sequences and its settings; the screen operations,
// the scrolling and the key and send rules read them.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The VT mode bytes. Settings come from the profile; the host changes the modes. The
// character set ("upss"), display-controls mode ("dspctrl") and screen-display-off
// state are PaintSettings', since the painter reads them too; the local editing mode is
// VtLocalEditFlag.
struct VtModeFlagSet {
    u8 ansiMode = 1;  // 0 while a VT emulation runs in VT52 mode
    u8 autoWrap = 1;  // "autowrap"
    u8 insertMode = 0;
    u8 newLineMode = 0;      // "autonl": LF, VT and FF also return the carriage
    u8 autoLineFeed = 0;     // "autolf": CR also feeds a line
    u8 reverseWrap = 0;      // "bswrap"
    u8 lrMarginModeOff = 1;  // 0 = left/right margin mode on
    u8 hostKeyboardLock = 0;
    u8 colourByClass = 0;              // "autocolour"
    u8 cursorOrigin = 1;               // "cursorg": 0 addresses the cursor relative to the margins
    u8 rightToLeft = 0;                // "cursr2l"
    u8 regionFeedsHistory = 0;         // "savescrolled"
    u8 displayErrors = 0;              // "disp_errors": CAN, SUB and DEL shown as error glyphs
    u8 suspended = 0;                  // 1 drops received bytes
    u8 designation[4] = {1, 1, 6, 6};  // G0-G3: ASCII, ASCII, Latin-1, Latin-1
    u8 set96[4] = {0, 0, 1, 1};
    u8 glSet = 0;         // G0 or G1 in GL
    u8 grSet = 2;         // the set in GR
    i8 singleShift = -1;  // G2 or G3 for the next character, -1 none
};
extern VtModeFlagSet VtMode;

// Local editing mode of the VT100/VT500 emulations (1 = on): typed text is edited on
// the screen and sent as a block.
extern u8 VtLocalEditFlag;
bool VtLocalEditing();

// The local editor of the local editing mode; entries stay null until it exists, and
// the screen operation runs instead.
struct LocalEditorHooks {
    void (*putChar)(int c) = nullptr;
    void (*insertLines)(int n) = nullptr;
    void (*deleteLines)(int n) = nullptr;
    void (*insertChars)(int n) = nullptr;
    void (*deleteChars)(int n) = nullptr;
    void (*tabForward)() = nullptr;
    void (*lineFeed)() = nullptr;
    void (*reverseIndex)() = nullptr;
    void (*cursorHome)() = nullptr;
    void (*wrapToNextLine)() = nullptr;
};
extern LocalEditorHooks LocalEditor;
