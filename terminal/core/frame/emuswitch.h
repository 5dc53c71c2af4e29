// Switching between the 24 emulations, always carried out on the user-interface thread
// while the host-data thread is parked at its switch gate; and the small host commands
// that live beside the switch.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u8 kDefaultEmulationId = 2;  // "VT500 7-Bit"
constexpr u8 kNoEmulation = 0xFF;

// The id that was current when the last switch was requested.
extern u8 SwitchRequestedFrom;

// Records a switch request from either thread; the message filter carries it out before
// the next message. A second request before that replaces the first. Returns 1.
int RequestEmulation(u8 current, u8 requested);
// The switch. (id, id) stops that emulation and keeps the host-data thread held until a
// later switch starts one; (0xFF, id) starts one without stopping any. A family that is
// not built (or an id above 23) starts VT500 7-Bit instead, so the reader always has an
// emulation to feed. Returns 1.
int SelectEmulation(u8 from, u8 to);
// The emulation that is really running, by the active flags (0 for the DEC VT family).
u8 RunningEmulation();

// The clear-screen command: the active family's clear when that family really runs;
// the shared store's clear for the DEC VT, ANSI console and AIXterm emulations.
void ClearEmulationScreen();

// Host commands of the VT family; they read the CSI parameters collected by the parser.
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
