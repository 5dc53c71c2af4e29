// The TA6530's settings in the profile's "TA6530" section, its attribute colours and
// its palette.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

// The values the profile holds (read by every pass of a profile load, written by a
// save); the live settings, which the configuration commands change, start from them
// at every reset.
extern Ta6530Settings TaProfileSettings;
// The live settings from the profile's values, kept in their ranges, with the packet
// limit, the palette and the attribute colours that follow from them.
void TaLoadSettings();
// Writes the values that differ from their factory ones and deletes the others.
void TaSaveSettings();

// The 32 attribute-colour bytes (background code in bits 4-6, foreground in 0-3, 0x80
// blink) from the foreground and background settings.
void TaBuildAttrColours();
// Entry 0-31 (the video attribute): stores the byte; for the combinations that are not
// invisible the settings follow it.
void TaSetAttributeColour(int entry, u8 colour);
// The factory attribute colours and palette (ESC - q 1).
void TaResetColourMap();

// A cell's colours and the effects shown, as the painter draws it.
struct TaCellLook {
    u8 foreground, background;  // palette indexes
    bool underline, blink, invisible;
};
TaCellLook TaChooseColours(const ScreenCell& cell, bool statusRow);
