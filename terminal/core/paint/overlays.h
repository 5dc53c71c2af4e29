// What other rooms draw on the terminal area, as painting asks for it: the on-screen key
// and soft-button labels below the last row (the bars), and the colours of hot-spot
// words while they are highlighted (the hot spots).
#pragma once

// Laid out again after a font or size change, drawn after the last screen row.
void LayoutScreenKeyLabels();
void DrawSoftButtonLabels();

// While hot spots are highlighted or one flashes, sets the colours of a cell itself and
// returns non-zero; 0 otherwise (the row painter then takes the cell's own colours).
int SetHotspotColours(int marked);
bool HotspotsHighlighted();
