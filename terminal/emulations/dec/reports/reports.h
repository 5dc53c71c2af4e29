// Every answer the DEC emulations send the host: device attributes, status reports,
// cursor position, terminal parameters, mode and setting reports, the terminal-state
// and presentation-state reports with their restores, and the user-preferred set.
// Each is built in the ReportBuffer and sent by SendReport.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Handlers of the control-sequence tables.
void IdentifyTerminal();           // ESC Z
void ReportPrimaryAttributes();    // VT52 ESC Z
void ReportDeviceAttributes();     // CSI c
void DeviceStatusReport();         // CSI n
void RequestTerminalParameters();  // CSI x
void ReportMode();                 // CSI $ p
void RequestSetting();             // DCS $ q
void RequestTerminalState();       // CSI $ u
void RequestPresentationState();   // CSI $ w
void ReportUserPreferredSet();     // CSI & u
void ReportDisplayExtent();        // CSI " v
void RestoreTerminalState();       // DCS $ p
void RestorePresentationState();   // DCS $ t

// CSI = b ; e ; row ; column r for the core's mouse handler.
void SendMouseReport(int button, int event, int row, int column);

// The 98-byte terminal-state block of the current state, and its application.
void BuildTerminalStateBlock(u8* block);
void ApplyTerminalStateBlock(const u8* block);

// The settings the reports read (the profile's VT300 and connection values).
const wchar16* CustomTerminalIdText();
const wchar16* TertiaryAttributesText();
int ParitySettingIndex();
int SpeedSettingIndex();
