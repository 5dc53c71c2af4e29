// Mouse hot spots: words on the screen that send their definition (a macro string from
// the profile's "Hotspot" key or the built-in tables of hotspotwords.h) or themselves
// and a CR when clicked. The mouse actions of the core call these on the user-interface
// thread; every painter asks SetHotspotColours for the colours of a marked cell.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/overlays.h"

// Marks every defined word on the screen and holds typed keys until cleared.
void HighlightHotspots();
void ClearHotspotHighlights();
// The word under the point sends its definition; nothing without one.
void SendHotspotAtPointer(HWND window, POINT at);
// The word under the point sends its definition, or itself and CR.
void HotspotClick(HWND window, POINT at);
// The word under the point becomes the selection.
void SelectHotspotWord(HWND window, POINT at);
// The clicked word is shown marked (flashed) until the button is released.
bool HotspotSelectionActive();
void ToggleHotspotHighlight();
