// Copies between 8-bit texts and UTF-16 that the settings and connection code share: a
// byte becomes one unit (zero-extended), a unit becomes its low byte. The terminated
// forms take the destination's capacity and always end within it.
#pragma once

#include <cstddef>

#include "terminal/core/base/vxtypes.h"

// Returns the units written, terminator not counted.
std::size_t WidenString(wchar16* destination, std::size_t capacity, const char* text);
void WidenBytes(wchar16* destination, const u8* source, std::size_t count);
// Returns the bytes written, terminator not counted.
std::size_t NarrowString(char* destination, std::size_t capacity, const wchar16* text);
void NarrowUnits(u8* destination, const wchar16* source, std::size_t count);
