// Texts of the wizard's engines: UTF-16 strings of any length (a stored value is never
// cut on reading; the pages limit what can be typed) and the comparisons the registry
// makes without regard to case.
#pragma once

#include <string>

#include "terminal/core/base/vxtypes.h"

using WText = std::basic_string<wchar16>;

// ASCII letters folded to upper case: the registry's and the connection manager's names
// compare without regard to case.
wchar16 FoldCase(wchar16 c);
bool SameTextIgnoringCase(const WText& a, const WText& b);
// `text` from ASCII (the value names and formats of the tables).
WText Widen(const char* text);
// Decimal digits of `value` (negative values with a minus sign).
WText DecimalText(i64 value);
// Reads a decimal number at the start of `text` (an optional sign, then digits) as the
// C library's "%d" does: false when no digit follows. Overflowing numbers wrap at 32 bits.
bool ReadDecimal(const WText& text, std::size_t from, i32& value);
