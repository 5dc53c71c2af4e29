// The telnet engine's view of a session whose host data travels in records: TN3270 and
// TN3270E for a 3270 display or 3287 printer, TN5250 for a 5250 display or printer. The
// family that runs such a session fills the view and points the engine at it while it
// runs (a null pointer: none runs); the engine reads and sets these fields as it
// negotiates, and calls the family through its TelnetHooks (terminal/core/base/family.h).
#pragma once

#include "terminal/core/base/family.h"
#include "terminal/core/base/vxtypes.h"

constexpr u8 k3287PrinterModel = 12;

struct Tn3270Session {
    u8 model;              // 0-12, 12 = the 3287 printer
    u16 printJobState;     // 0 idle, 2 printer functions in use
    u32 connectionMode;    // 0 none, 1 telnet NVT, 2 SSCP-LU, 3 3270 data
    u32 telnetFlags;       // follows telnet mode
    u8 noBindImage;        // BIND-IMAGE was not agreed
    u8 recordMode;         // 3270 records travel between IAC EOR
    u16 printerState;
};

struct Tn5250Session {
    u32 printerSession;    // non-zero: a printer session
    u32 telnetFlag;
    u8 inputState;         // 5 block mode, 1 character mode
    u16 printerState;
    u8 blockMode;          // 5250 records travel between IAC EOR
    u8 model;
};

extern Tn3270Session* Tn3270ActiveSession;
extern Tn5250Session* Tn5250ActiveSession;
// The models chosen in the settings (0-12 and 0-14), used before a session exists.
extern u8 Configured3270Model;
extern u8 Configured5250Model;
// Step-replay options of the 3270 and 5250 pages.
extern u8 StepReplay3270, StepReplay5250;

// The telnet hooks of the emulation in use, or nullptr.
const TelnetHooks* SessionTelnetHooks();

// Calls into the session's family through those hooks; each does nothing when the
// family has no such hook.
void SessionRecord(const u8* bytes, int length);
void SessionReset(int model);
void SessionPrinterState(int state);
void SessionEndPrintJob();
void SessionRecordModeChanged(bool on);
void SessionModelShown();
void SessionIndicatorsChanged();
void SessionLuName(const wchar16* name);
