// What the function, editing and Tab keys send in the ANSI console family (Ansi BBS,
// SCO Console, AT 386) and AIXTerm, and the PC code page typed characters go through.
// The key actions decide which sender runs with which key and state; these fix the
// bytes.
//
// Function key k is F(k+1) (0-11); editing key n is 0 Insert, 1 Home, 2 Page Up,
// 3 Delete, 4 End, 5 Page Down; state is 0 none, 1 Shift, 2 Ctrl, 3 Ctrl+Shift.
#pragma once

#include "terminal/core/base/vxtypes.h"

void ScoSendFunctionKey(int key, int state);
void ScoSendEditingKey(int key, int state);
void ScoSendTabKey(int shifted);
void At386SendFunctionKey(int key, int state);
void At386SendEditingKey(int key, int state);
void At386SendTabKey(int shifted);
void AixtermSendFunctionKey(int key, int state);
void AixtermSendEditingKey(int key, int state);
void AixtermSendTabKey(int shifted);
// Ansi BBS by the DEC function codes (80-83 F1-F4) and function-key indexes.
void BbsSendCtrlFunctionKey(int code);
void BbsSendShiftFunctionKey(int code);
void BbsSendEditingKey(int index);
void BbsSendShiftEditingKey(int index);
// Cursor keys of the whole family: ESC [ letter.
void SendCsiKey(int letter);

// The PC code page in use: 437, 850, 858, 1250 or 852 with the PC character set
// (setting 4), else -1.
int GetAnsiCodePage();
// A typed character in the PC code page; -1 when the page lacks it.
int UnicodeToPcCodePage(int u);
