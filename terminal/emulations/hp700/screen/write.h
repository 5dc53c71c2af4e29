// Writing characters into the HP 700/92's display memory and editing it: the cursor
// line and memory cleared, lines and characters inserted and deleted (field-aware in
// format mode), tabs and margins.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// A printable byte (or any byte under Display Functions) written at the cursor.
void Hp700WriteChar(u8 b);
// Never-written cells left of the cursor become blanks.
void Hp700FillNullsLeft();

void Hp700Tab();
void Hp700BackTab();
void Hp700SetTab();
void Hp700ClearTab();
void Hp700ClearAllTabs();
void Hp700SetLeftMargin();
void Hp700SetRightMargin();
void Hp700ClearMargins();

void Hp700ClearToEndOfLine();
void Hp700ClearToEndOfMemory();
void Hp700InsertLine();
void Hp700DeleteLine();
void Hp700InsertChar();
void Hp700InsertCharWrap();
void Hp700DeleteChar();
void Hp700DeleteCharWrap();
