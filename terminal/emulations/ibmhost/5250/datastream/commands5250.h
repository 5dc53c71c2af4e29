// The 5250 command dispatcher: each command of a record is the escape byte 0x04, a
// command byte and its parameters; the first error stops the record. Also the commands
// that are not Write To Display: Clear Unit, Clear Format Table, Write Error Code,
// Roll, the reads and Read Screen.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

u32 I5250ExecuteCommands(I5250Session* s, const u8* data, int length, u8 opcode);

u32 I5250ClearUnitCommand(I5250Session* s, const u8*& p, int& remaining, bool alternate);
u32 I5250ClearFormatTable(I5250Session* s);
u32 I5250WriteErrorCode(I5250Session* s, const u8*& p, int& remaining, bool window);
u32 I5250Roll(I5250Session* s, const u8*& p, int& remaining);
u32 I5250ReadCommand(I5250Session* s, const u8*& p, int& remaining, u8 command);
u32 I5250ReadImmediate(I5250Session* s, u8 command);
u32 I5250ReadScreen(I5250Session* s, const u8* p, int remaining, u8 command);
