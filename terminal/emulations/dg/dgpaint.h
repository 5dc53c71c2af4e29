// The DG screen painted into the frame's picture (platform): the rows of a region in
// window columns, and the fonts dropped when the emulation stops.
#pragma once

#include "terminal/emulations/dg/dglook.h"

void DgRepaintRegion(int r0, int c0, int r1, int c1);
void DgReleaseFonts();
