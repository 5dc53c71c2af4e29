// The Wyse family's modes: what the host and the keys switch while a personality runs.
// All of it is the host-data thread's; the mode reset (WyseResetModes) brings it back.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

struct WyseModeState {
    u8 protectMode = 0;   // protected cells are skipped (also kept per page)
    u8 writeProtect = 0;  // written cells are protected
    u8 graphics = 0;      // native graphics (ESC H STX): characters AND 1F
    u8 tviGraphics = 0;   // TVI graphics (ESC $): characters from the graphics set
    u8 monitor = 0;       // control bytes shown as characters
    u8 monitorEscape = 0;
    u8 printerEscape = 0;  // controller-mode filter: 0 idle, 1 after ESC, 2 after ESC d
    u8 keyPending = 0;     // the byte in progress was typed, not received
    u8 printing = 0;       // a region print runs
    u8 auxPort = 0, auxPrint = 0, displayWhilePrinting = 0;
    u8 insert = 0;
    u8 keyboardLocked = 0;
    u8 localEdit = 0;    // ESC k: the keyboard's editing keys act on the screen
    u8 regionStart = 1;  // sends and prints start at the region's first line
    u8 labelsOn = 1, shiftDown = 0, shiftedLoaded = 0, labelText = 0;
    u8 nationalSets = 0;  // ESC e r
    u8 savedAttrType = 0;
    u8 sendIndicator = 0;  // a screen send runs ("<" in the status line)
    u8 highBit = 0;        // WY60: 0x80 added to typed characters
    u8 transmitState = 0;  // keyboard transmit state 0-2
    u8 functionCodeRequest = 0;
    u8 autoLineFeed = 0;  // CR also feeds a line
    u8 wideTabs = 0;      // a tab stop is set somewhere
    u8 cursorOn = 1;
    u8 marginColumn = 71;
    // The message fields' attributes (embedded: attribute cells; character: colours)
    // and the codes they were set from.
    u8 dataAttr = 0x40, labelAttr = 0x40, leftAttr = 0x40 | 0x0C, rightAttr = 0;
    u8 dataCode = '0', labelCode = '0', leftCode = '8', rightCode = ' ';
    u8 reverseScreen = 0;
    WyseWriteState write;  // the live writing state of the active page
};
extern WyseModeState WyMode;

// The live attribute type (0 page, 1 line, 2 character) is WySet.attrType.
