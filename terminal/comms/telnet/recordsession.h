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
    u8 model;            // 0-12, 12 = the 3287 printer
    u16 printJobState;   // printer: 0 idle, 2 functions in use, 1/3/4 a job runs
    u32 connectionMode;  // data phase: 0 or 1 NVT, 2 SSCP-LU, 3 3270 (LU-LU)
    u32 telnetFlags;     // link: binary or TN3270E transmission in force
    u8 noBindImage;      // TN3270E agreed without BIND-IMAGE
    u8 recordMode;       // data-stream mode: records travel between IAC EOR
    u16 printerState;
};

struct Tn5250Session {
    u32 printerSession;  // non-zero: a printer session
    u32 telnetFlag;
    u8 inputState;  // 5 block mode, 1 character mode
    u16 printerState;
    u8 blockMode;  // 5250 records travel between IAC EOR
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
// A record replayed to the host (replayrecord.h).
void SessionReplayRecord(const u8* bytes, int length);
