// The 5250 key functions: the AID keys and their checks, Help with its error code,
// Clear, Attention, System Request and its line, and the editing and cursor keys with
// their character-mode and text-assist forms.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

void I5250KeyAid(I5250Session* s, u8 aid);
void I5250KeyEnter(I5250Session* s);
void I5250KeyHelp(I5250Session* s);
void I5250ClearKey(I5250Session* s);
void I5250KeyPrint(I5250Session* s);
void I5250KeyAttention(I5250Session* s);
void I5250KeyTestRequest(I5250Session* s);
void I5250KeySysReq(I5250Session* s);
// A character typed on the open System Request line.
int I5250SysReqLineCharacter(I5250Session* s, u8 byte);

void I5250KeyInsert(I5250Session* s);
void I5250KeyHome(I5250Session* s);
void I5250KeyNewLine(I5250Session* s);
void I5250KeyTab(I5250Session* s);
void I5250KeyBackTab(I5250Session* s);
void I5250CursorUp(I5250Session* s);
void I5250CursorDown(I5250Session* s);
void I5250CursorLeft(I5250Session* s);
void I5250CursorRight(I5250Session* s);
void I5250FastLeft(I5250Session* s);
void I5250FastRight(I5250Session* s);
void I5250KeyBackspace(I5250Session* s, bool destructive);
void I5250KeyDeleteChar(I5250Session* s);
void I5250KeyEraseEof(I5250Session* s);
void I5250KeyEraseInput(I5250Session* s);
void I5250KeyEndOfField(I5250Session* s);
void I5250CursorSelect(I5250Session* s);
void I5250KeyRuler(I5250Session* s);
void I5250KeyMono(I5250Session* s);
void I5250KeyAlternateCodePage(I5250Session* s);
// The word-processing keys of text-assist mode (key codes 169-188).
void I5250KeyWordProcessing(I5250Session* s, int keyCode);
