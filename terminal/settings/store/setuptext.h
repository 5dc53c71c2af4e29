// The escaped form in which Setup edit controls show host strings: control characters
// as "^" and a letter, C1 units as "_" and three decimal digits, units above 128 as
// "\u" and four hexadecimal digits. Every raw text comes back unchanged from its escaped
// form, so an untouched OK never alters what the profile stores.
#pragma once

#include "terminal/core/base/vxtypes.h"

// One raw unit is shown as at most this many units ("\u00e9").
constexpr int kSetupEscapeUnits = 6;

// A counted Setup text: unit 0 holds the capacity n in raw units, the escaped text
// follows from unit 1 and ends with a zero unit. It holds n raw units of any kind.
constexpr int CountedTextUnits(int n)
{
    return 1 + kSetupEscapeUnits * n + 1;
}
// The most units an edit control over a counted text of capacity n takes.
constexpr int CountedEditLimit(int n)
{
    return kSetupEscapeUnits * n;
}

// Escapes at most n units of `source` (fewer at its zero unit) into `counted`, which
// holds CountedTextUnits(n) units; unit 0 receives n. Returns the escaped units written.
int EncodeSetupText(wchar16* counted, const wchar16* source, int n);
// Turns an escaped text back into at most n raw units and a zero unit; `destination`
// holds n + 1 units. Returns the raw units written.
int DecodeSetupText(wchar16* destination, const wchar16* source, int n);
// Decodes the text part of a counted text.
int DecodeSetupField(wchar16* destination, const wchar16* counted, int n);
