// The answerback: one store, the terminal's own (the profile's answerback text of 32
// characters); a Wyse host writes at most 20 characters of it.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kWyseAnswerbackChars = 20;

// Stores `n` characters (at most 20) and terminates the text.
void WyseStoreAnswerback(const wchar16* text, int n);
// How many answerback characters the Setup page lets a user type for a personality:
// 20 for the WY50+ and WY60, 0 for the others, which keep none.
int WyseAnswerbackChars(u8 emulation);
