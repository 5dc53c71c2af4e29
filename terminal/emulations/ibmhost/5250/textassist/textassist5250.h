// 5250 text assist (word processing): the definitions Write Structured Field types
// 0x30-0x3B give (text screen, scale line, line formats, command keys and their texts,
// special characters, the lines of text), the text-assist reply, and the function keys
// while the mode is on.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// One structured field of types 0x30, 0x31, 0x33-0x37, 0x39-0x3B (its length counting
// the whole field); 0 or a sense code.
u32 I5250TextAssistField(I5250Session* s, const u8* field, int length);
// The text-assist reply for an AID or a code of the entry engine.
void I5250BuildTextReply(I5250Session* s, u8 aid);
// F1-F24 (key 0-23) with their AID while the mode is on.
void I5250TextFunctionKey(I5250Session* s, int key, u8 aid);
// Forgets every definition.
void I5250ClearTextAssist(I5250Session* s);
