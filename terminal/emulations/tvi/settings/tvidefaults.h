// The TVI's factory settings: the values of the "TVI955" section, the separators, both key
// tables, the attribute colours and the palette, into the live settings or the Setup
// copy; and the geometry a stored profile may give, checked against what the terminal
// can show.
#pragma once

#include "terminal/emulations/tvi/tvi.h"

// Target of the factory setters.
enum TviTarget : int { kTviLive = 0, kTviSetupCopy = 1 };

// The attribute colours of the terminal as it leaves the factory: white on black, each
// combination with its own flags and the normal pair.
TviAttrColours TviFactoryAttrColours();
// The factory palette; with the black-and-white exchange entries 0 and 7 change places.
HlsPalette TviFactoryPalette(bool bwswap);
void TviDefaultAttrColours(int target);
void TviDefaultPalette(int target);
// Everything above into the live settings or the Setup copy.
void TviFactorySettings(int target);

// The geometry values a profile gave, each one the terminal cannot reach replaced by its
// factory value: 1, 2 or 4 pages of 96 / pages rows, 80 or 132 columns, a display within
// the 24-row window, top and bottom rows showing the status and user lines.
void TviCheckGeometry(TviSettings& set);
