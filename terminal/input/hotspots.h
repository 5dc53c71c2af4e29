// Mouse hot spots: words on the screen that send their text when clicked.
#pragma once

#include "terminal/core/base/vxtypes.h"

// While hot spots are highlighted, sets the colours of a cell itself and returns
// non-zero; 0 otherwise (the row painter then takes the cell's own colours).
int SetHotspotColours(int marked);

#include "terminal/core/base/win32.h"

// Mouse actions on hot spots, and the highlight and hot-spot selection states.
void HighlightHotspots();
void SendHotspotAtPointer(HWND window, POINT at);
void HotspotClick(HWND window, POINT at);
void SelectHotspotWord(HWND window, POINT at);
bool HotspotsHighlighted();
bool HotspotSelectionActive();
void ClearHotspotHighlights();
void ToggleHotspotHighlight();
