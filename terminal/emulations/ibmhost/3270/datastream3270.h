// The outbound 3270 data stream: commands, the Write Control Character, the orders that
// build the buffer, the erase operations and Write Structured Field. Every operation
// returns 0 or a numbered error; what was done before an error stays.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

u32 I3270ExecuteCommand(I3270Session* s, const u8* data, int length, u8 command);
u32 I3270ExecutePrinterCommand(I3270Session* s, const u8* data, int length, u8 command);
u32 I3270Write(I3270Session* s, const u8* data, int length, bool printAllowed);
u32 I3270EraseWrite(I3270Session* s, const u8* data, int length, bool alternate, bool printAllowed);
void I3270EraseScreen(I3270Session* s, bool alternate);
void I3270Erase(I3270Session* s, bool alternate);
u32 I3270EraseAllUnprotected(I3270Session* s, const u8* data, int length, bool allowed);
void I3270EraseUnprotected(I3270Session* s);
void I3270ResetModified(I3270Session* s);
u32 I3270WriteStructuredField(I3270Session* s, const u8* data, int length);
// Read Partition (a Query and its replies with `aid`) and Begin/End of File, also the
// fields of SCS records.
u32 I3270ReadPartitionField(I3270Session* s, const u8* f, int length, bool last, u8 aid);
u32 I3270BeginEndOfFile(I3270Session* s, const u8* f, int length);

// Checks one (type, value) pair into a cell; `inField` for Start Field Extended and
// Modify Field.
u32 I3270CheckAttribute(const I3270Session* s, u8 type, u8 value, HostCell& cell, bool inField);
// A count byte and that many pairs, applied in order up to the first error.
u32 I3270ReadAttributePairs(const I3270Session* s, const u8*& p, int& remaining, HostCell& cell, bool inField);
// Clears the operator error, system lock and keyboard locks at once.
void I3270KeyboardReset(I3270Session* s);
// The AID back to its idle value (0x60 display, 0xE8 printer).
void I3270IdleAid(I3270Session* s);
