// Row 24 of the TA6530: the status line (message field, mode, NUM and INS), or the
// error line that replaces it until the next key.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

// Rebuilds the status line: blank fields behind their field-start cells, then the mode,
// NUM and INS fields.
void TaDrawStatusLine();
void TaShowModeField();
void TaShowNumLockField();
void TaShowInsertField();
// A text into the status line's message field (columns 1-64), from `column` on.
void TaSetMessageText(int column, const u8* text, int count, u8 video);
void TaClearMessageField();
// Row 24 shows the status line again; the error line with a language text.
void TaShowMessageLine();
void TaShowErrorLine(u32 stringId);
// The line row 24 shows.
const TaLine& TaRow24Line();
// What row 24 shows, trailing blanks removed.
int TaStatusLineText(wchar16* buffer, int capacity);
