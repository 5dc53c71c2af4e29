// The indicator line: the mode word, the state word, INSERT, TRACE and the cursor's
// position, written into the indicator record and into the status bar's fields of the
// same ids.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Status-bar field ids: the texts' string ids.
constexpr u32 kI51FieldMode = 7581, kI51FieldState = 7586, kI51FieldInsert = 7598, kI51FieldTrace = 7605;

void I3151UpdateIndicators(bool statusBar);
// The cursor position field follows the current page's cursor; the numeric state
// follows the cursor's field, and a change clears the error latch and its words.
void I3151UpdateCursorStatus();
void I3151ResetStatusFields();
// The keyboard refused a key (INVALID KEY), or a typed character does not belong where
// the cursor is (WRONG PLACE): the error latch, the word and a bell.
void I3151SignalInvalidKey();
void I3151SignalWrongPlace();
// " 024,080 ": the position field's text for a 0-based row and column.
void I3151FormatPosition(wchar16* text, int row, int column);
// The words as the indicator line shows them.
int I3151ModeWordId();
int I3151StateWordId();
