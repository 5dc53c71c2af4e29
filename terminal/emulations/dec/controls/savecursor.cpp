// DECSC / DECRC: the cursor with everything that decides how the next character looks.
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"

SavedCursorRecord SavedCursor{0, 0, kDefaultColour, 0, 0, 1, {1, 1, 6, 6}, {0, 0, 1, 1}, 0, 2, -1, 0};

void SaveCursorState()
{
    SavedCursorRecord& s = SavedCursor;
    s.row = Screen.cursorRow;
    s.column = Screen.cursorColumn;
    s.colour = CurrentColour;
    s.rendition = CurrentRendition;
    s.flags = CurrentFlags;
    s.absoluteAddressing = VtMode.cursorOrigin;
    for (int g = 0; g < 4; ++g) {
        s.designation[g] = VtMode.designation[g];
        s.set96[g] = VtMode.set96[g];
    }
    s.glSet = VtMode.glSet;
    s.grSet = VtMode.grSet;
    s.singleShift = VtMode.singleShift;
    s.pendingWrap = PendingWrap;
}

void RestoreCursorState()
{
    const SavedCursorRecord& s = SavedCursor;
    CurrentColour = s.colour;
    CurrentRendition = s.rendition;
    CurrentFlags = s.flags;
    for (int g = 0; g < 4; ++g) {
        VtMode.designation[g] = s.designation[g];
        VtMode.set96[g] = s.set96[g];
    }
    VtMode.glSet = s.glSet;
    VtMode.grSet = s.grSet;
    VtMode.singleShift = s.singleShift;
    if (s.absoluteAddressing != VtMode.cursorOrigin)
        SetOriginMode(s.absoluteAddressing == 0);
    MoveCursorAbsolute(s.row, s.column);
    PendingWrap = s.pendingWrap;
}
