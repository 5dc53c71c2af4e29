// Graphic rendition and colours of the DEC emulations: SGR with its colour extensions,
// DECSCA character protection and the colour assignments. The character writer takes
// the current rendition and colour bytes (CurrentRendition, CurrentColour) for every
// new cell; this part decides them.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct RenditionState {
    u8 foreground = 7;  // the indexes as last selected
    u8 background = 0;
    u8 screenColour = 0;    // the colour outside the text (frgscrn and bckscrn)
    u8 boldDim = 0;         // 1 after SGR 2: dim text is drawn in colour 8
    u8 sixteenColours = 0;  // the 16-colour extension of SGR 50-89
    u8 colourLock = 0;      // SGR colours 30-89 are ignored
    u8 colourTableChanged = 0;
};
extern RenditionState Rendition;

// SGR colour digit 0-7 to the terminal's colour index.
u8 SgrColourIndex(int digit);
bool SixteenColourMode();

// Handlers of the control-sequence tables.
void SelectGraphicRendition();
void SetCharacterProtection();
void SetKeepColours();

void SetForeground(int index);
void SetBackground(int index);
void SetBoldDim(int mode);
// The colour settings were loaded or changed in Setup: the screen colour and the
// rendition follow them.
void FollowColourSettings();
// The third colour index of the rendition report.
int ThirdColourIndex();
