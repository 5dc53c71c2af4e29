// 5250 records: the header every inbound and outbound record shares, the operation
// codes, the negative response with its sense code, the output buffer and its flush,
// and the small records the keyboard sends (attention, help, system request).
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// One telnet record received up to IAC EOR (valid during the call): every 5250 record
// packed in it is checked and run in turn; the first error stops the call and is
// answered with a negative response. Returns that error's sense code, or 0.
u32 I5250HandleRecords(I5250Session* s, const u8* bytes, int count);

// The output buffer: every reply is built from its start; an append past its end is
// dropped and marks the reply overflowed (it is then not sent).
void I5250Put(I5250Session* s, u8 byte);
void I5250Put16(I5250Session* s, u16 value);
void I5250BuildRecordHeader(I5250Session* s, u16 reserved, u8 variableLength, u8 flags1, u8 flags2, u8 opcode);
void I5250BuildDisplayHeader(I5250Session* s, u8 flags1, u8 opcode);
// Writes the length into the header and sends the record.
void I5250SendRecord(I5250Session* s);
void I5250FlushOutput(I5250Session* s);
void I5250SendNegativeResponse(I5250Session* s, u32 sense);
void I5250SendFlagsRecord(I5250Session* s, u8 flags1, const u8* data, int count);
void I5250SendHelpCode(I5250Session* s, u16 code);
void I5250SendSystemRequest(I5250Session* s);
