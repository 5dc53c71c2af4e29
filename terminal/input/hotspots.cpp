#include "terminal/input/hotspots.h"

// Hot spots are never highlighted until the hot-spot code exists.
int SetHotspotColours(int)
{
    return 0;
}

// No hot spot is defined until the hot-spot code exists.
void HighlightHotspots() {}
void SendHotspotAtPointer(HWND, POINT) {}
void HotspotClick(HWND, POINT) {}
void SelectHotspotWord(HWND, POINT) {}
bool HotspotsHighlighted()
{
    return false;
}
bool HotspotSelectionActive()
{
    return false;
}
void ClearHotspotHighlights() {}
void ToggleHotspotHighlight() {}
