// Factory values: resetting the colour sets and the live session to them.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/settings/store/hls.h"

// Set while the Setup dialog is open: its working copy then belongs to the dialog.
extern u32 SetupDialogOpen;

// During a full reload every emulation's palette returns to its factory form, else only
// the active emulation's. Then, unless Setup is open, the active palette is copied into
// the Setup working copy. `target` is kLive or kSetupCopy (colours.h).
void ResetAllColourSets(u32 target);
// The factory attribute colours and VT palette.
void SetFactoryColours();

// The palette the active emulation shows. Only the DEC VT family's palettes are built
// in; an emulation of another family runs as VT500 7-Bit and shows them too.
HlsPalette& ActiveVtPalette();
// The palette the running emulation shows and Setup edits: its family's own, else the
// VT one.
HlsPalette& RunningHlsPalette();
// The running family's own palette (FamilySetup::palette), nullptr without one. The
// Setup dialog's model answers it: it knows the families' Setup parts.
HlsPalette* RunningFamilyPalette();
