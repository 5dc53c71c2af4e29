// Host commands of the VT family that act beside the emulation switch; they read the
// CSI parameters collected by the parser and run on the host-data thread.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Select emulation by a code byte (final '|'): only while a replay file is played.
void HostSelectEmulation();
// Multi-page mode for the VT500 emulations with a paged terminal model.
bool VtPageModeForModel();
// Shows page p1 - 1 (page 0 for p1 = 0).
void VtShowPage();
// National replacement set (final '!'): VT510-class models, p1 = 2, multinational off.
void SelectNationalSet();
// Position of the connect-time field on the indicator line (final '}'): p1 its first
// column (1-based, 0 = the start of the line), p2 its width in cells (0 = the default).
// A position outside the line is refused.
void PlaceConnectTimeField();
struct ConnectTimeFieldPlace {
    u16 column, width;
};
extern ConnectTimeFieldPlace ConnectTimeField;
// Writes the connect-time text into its field of the indicator line, cut at the field's
// width and at the last column.
void DrawConnectTimeField(const char* text);
// ESC &: an HP sequence that reaches the DEC escape table is read to its end (its
// first byte without bit 0x20) and changes nothing.
void HpAmpersandEscape();
