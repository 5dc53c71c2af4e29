// TN3270E records: the 5-byte header, the data types, the checks against the agreed
// functions, BIND-IMAGE, the data phases, and the answers (RESPONSE records, or the
// status record of a plain TN3270 printer). Also the senders of the output buffer.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// One complete record received up to IAC EOR; the record's error number (0 none).
u32 I3270HandleRecord(I3270Session* s, const u8* record, int length);
// The negative-response reason of an error number: 0x02 operation check, else 0x00.
u8 I3270ResponseReason(u32 error);
bool I3270InDataPhase(const I3270Session* s);
u16 I3270NextSequenceNumber();
void I3270SendOutput(I3270Session* s);
void I3270SendSscpLuData(I3270Session* s);
void I3270SendNvtData(I3270Session* s);
void I3270FlushOutput(I3270Session* s);
// Moves the data phase and tells the telnet layer when it changed.
void I3270SetDataPhase(I3270Session* s, u32 phase);
