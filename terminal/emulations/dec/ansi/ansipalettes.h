// The sixteen-colour palettes of the ANSI consoles and AIXTerm: one live palette each
// for the SCO consoles (Ansi BBS and SCO Console), AT 386 and AIXTerm, their factory
// forms, and their profile values ("hue", "lightness", "saturation", 16 units each, in
// the emulation's own section).
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/hls.h"
#include "terminal/core/base/registry.h"

extern HlsPalette ScoPalette;
extern HlsPalette At386Palette;
extern HlsPalette AixtermPalette;

// SCO and AT 386 share one factory palette; bwswap exchanges its black and white.
HlsPalette FactoryConsolePalette(bool bwswap);
extern const HlsPalette kFactoryAixtermPalette;

// The live palette of emulation `id` (nullptr outside the consoles and AIXTerm) and
// its factory form.
HlsPalette* ConsolePaletteFor(u8 id);
HlsPalette FactoryPaletteFor(u8 id);

// The stored values over the palette: the units of each value present replace that
// component of the first entries in order; an entry left out of range keeps what it had.
void ReadConsolePalette(HKEY section, HlsPalette& palette);
// Writes all three values unless the palette equals its factory form.
void WriteConsolePalette(HKEY section, const HlsPalette& palette, const HlsPalette& factory);

// The running console's (or AIXTerm's) palette, nullptr while none runs, and its
// factory form: what Setup's Attributes page edits and the terminal shows.
HlsPalette* RunningConsolePalette();
HlsPalette RunningConsoleFactoryPalette();

// The factory palette of `id`, the profile's over
// it, copied into the Setup working palette; AIXTerm's HFT mode from its section.
void LoadConsolePaletteFromProfile(u8 id, bool overCurrent = false);
u32 ReadAixHftModeFromProfile();
