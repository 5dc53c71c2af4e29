// The Wyse status line: one line inside the screen (row 0) with its fields at fixed
// columns, the host's message field, and the personality's name in the status bar.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Writes text into the status record from the first to the last field column (1-based;
// the rest of the span becomes blanks).
void WyseStatusWrite(const wchar16* text, int first, int last);
void WyseLayoutStatusLine(bool clear);
void WyseShowKeyboardField();
void WyseShowPageField();
void WyseShowTransmitField();
void WyseShowCommModeField();
void WyseShowPrintField();
void WyseShowCursorField();
void WyseShowProtectField();
void WyseShowWriteProtectField();
void WyseShowInsertField();
// All the fields again (a mode that several of them show changed).
void WyseShowAllFields();
// The message fields' attributes (left, right, data area) put into the status record
// again: attribute cells in the embedded model, colours in the character model.
void WyseApplyMessageAttributes();
// ESC F: text up to CR into the message field.
void WyseReadStatusMessage();
// The status record's text as the screen dump shows it, trailing blanks removed.
int WyseStatusLineText(wchar16* buffer, int capacity);
// The personality's name (field 7409) and the status bar's fields.
const wchar16* WyseModelName(u8 emulation);
