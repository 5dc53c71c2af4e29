// The mode state of the DEC emulations (VT52, VT100, VT500 7-bit and 8-bit) and the
// host commands that change it: SM and RM, the switches between the emulations and
// conformance levels, the feature gates by emulation and terminal model, and the soft,
// secure and full resets. The modes the core itself reads live in VtMode (services.h);
// those the user also sets up (application keypad and cursor keys, auto repeat, national
// sets, what a column change clears) are the profile's VT300 values themselves.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct DecModeSet {
    u8 smoothScroll = 0;         // DECSCLM
    u8 printFormFeed = 0;        // DECPFF
    u8 printExtentInverted = 1;  // DECPEX, stored inverted: set stores 0
    u8 backarrowSendsBs = 0;     // DECBKM
    u8 keyboardUsage = 0;        // DECKBUM
    u8 transmitRateLimit = 0;    // DECXRLM
    u8 mode99 = 0;
    u8 privateLt1 = 0;             // CSI < 1 h / l: kept, nobody reads it
    u8 controlRepresentation = 0;  // CRM: set only
    u8 leds = 0;                   // DECLL: bits 2-6 are LEDs 1-5
    // Local-editing flags, kept for block transmission.
    u8 editFlag11 = 0, editFlag13 = 0, editFlag14Inverted = 1, editFlag16Inverted = 1, editFlag53 = 0;
    u8 gatm = 0, erm = 0, ansi15 = 0, ansi16 = 0, ansi17Inverted = 1;
    u8 localEditState = 0;        // 0 off, 1 block mode (?10), 2 held by local editing
    u8 localFunction[3] = {};     // DECELF
    u8 localFunctionKey[4] = {};  // DECLFKC
    u8 modifierKey[8] = {};       // DECSMKR
    u8 emulationLock = 0;         // the host may not leave the emulation
    u8 fullReset = 0;             // set while RIS runs
};
extern DecModeSet DecModes;

// Feature gates; no side effects.
bool IsVt500Emulation();
bool IsVt510Class();
bool IsVt340OrLaterClass();
// IsVt420Class is declared with the core's services.

// Writes both copies of the emulation id (the live one and the requested one), so that
// the frame never mistakes a conformance change for a pending switch.
void SetDecEmulationId(u8 id);

// Handlers of the control-sequence tables.
void SetModes();
void ResetModes();
void KeypadApplicationMode();
void KeypadNumericMode();
void LockKeyboard();
void UnlockKeyboard();
void LoadLeds();
void Select7BitControls();
void Select8BitControls();
void SelectConformanceLevel1();
void SelectConformanceLevel2();
void SelectConformanceLevel3();
void SetConformanceLevel();
void SoftResetHandler();
void SecureReset();
void ResetVtTerminal();
void LeaveVt52Mode();
void SetColumnsPerPage();
void SelectLocalFunctions();
void SelectLocalFunctionKeys();
void SelectModifierKeys();
void EnableTextCursor();
void DisableTextCursor();

// Operations other parts call.
void EnterVt52Mode();
void SoftResetCommand();
// The soft reset itself, with no checks (DECSCL runs it too).
void SoftReset();
void SetColumns132();
void SetColumns80();
void SetLastColumn(int n);
void SetOriginMode(bool on);
// The id switch of the core's emulation change.
void EnterVtEmulation(u8 id);
// DECSLPP and friends: the screen takes n rows (by lines per screen on the VT420-class
// models, else by resizing the window).
void SetVtScreenRows(int n);
// Start values of every mode (terminal initialisation).
void ResetDecModes();
