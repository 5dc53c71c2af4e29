// What the telnet layer uses of the IBM 3270 and 5250 sessions: the fields it reads and
// sets, and the calls that hand over records and report mode changes. The emulations
// own the records; a null pointer means the emulation is not active.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/emulations/ibmhost/session3270.h"

struct I5250Session {
    u32 printerSession;    // non-zero: a printer session
    u32 telnetFlag;
    u8 inputState;         // 5 block mode, 1 character mode
    u16 printerState;
    u8 blockMode;          // 5250 records travel between IAC EOR
    u8 model;
};

extern I5250Session* I5250ActiveSession;
// The models chosen in the settings (0-12 and 0-14), used before a session exists.
extern u8 Configured3270Model;
extern u8 Configured5250Model;
// Step-replay options of the 3270 and 5250 pages.
extern u8 StepReplay3270, StepReplay5250;

// One complete record received up to IAC EOR; the bytes are valid during the call only.
void Tn3270eHandleRecord(I3270Session* session, const u8* bytes, int length);
void I5250HandleRecords(I5250Session* session, const u8* bytes, int length);
void I3270ResetSession(int model);
void I5250ResetSession(int model);
void I3270SetPrinterState(I3270Session* session, int state);
void I5250SetPrinterState(I5250Session* session, int state);
void I3270EndPrintJob(I3270Session* session);
void I5250EndPrintJob(I5250Session* session);
void I3270ShowLuName(const wchar16* name);
void I3270ShowModelName();
void I3270EraseScreen();
void I3270RedrawIndicators();
void I5250ClearUnit();
void I5250TerminalType();
void I5250LeaveBlockMode();
