#include "terminal/emulations/dg/dglook.h"

#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgstate.h"

DgRunLook DgRunColours(bool selected, u8 rendition, u8 colour)
{
    int fg = colour & 0x0F, bg = colour >> 4;
    const int r = rendition & 0x0F;
    bool reverse = false;
    if (r != 0) {
        const u8 frg = DgColours.frg[r], bck = DgColours.bck[r];
        if (bck & kDgOwnColours) {
            fg = frg & 0x0F;
            bg = bck & 0x0F;
        }
        // Dim shows as the other intensity of the colour where the look says so.
        if ((r & kDgDim) && (frg & kDgShowsDim))
            fg ^= 8;
        reverse = (r & kDgReverse) && (frg & kDgShowsReverse);
    }
    // A selected cell is exchanged once more: a selected reverse cell shows plain.
    if (reverse != selected) {
        const int t = fg;
        fg = bg;
        bg = t;
    }
    return DgRunLook{fg & 15, bg & 15};
}

bool DgRunShowsUnderline(u8 rendition)
{
    return (rendition & kDgUnderline) && (DgColours.frg[rendition & 0x0F] & kDgShowsUnderline);
}

bool DgBlinkBlanks(int row, u8 rendition, bool phaseOn)
{
    if (!(rendition & kDgBlink) || Dg.blinkDisabled || phaseOn)
        return false;
    if (row < Dg.window.top || row > Dg.window.bottom)
        return false;
    return (DgColours.frg[rendition & 0x0F] & kDgShowsBlink) != 0;
}
