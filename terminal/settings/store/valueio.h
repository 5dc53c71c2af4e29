// Loading and saving the plain values of a section table through the registry layer.
#pragma once

#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

// Reads one value into its field by the absent-value rule of the pass.
void LoadValue(HKEY key, const ProfileValue& value);
void LoadValues(HKEY key, ValueTable table);
// Writes one value when it differs from its factory value (a text when not empty).
void SaveValue(HKEY key, const ProfileValue& value);
void SaveValues(HKEY key, ValueTable table);

// A byte-wide setting as the registry holds it: sign-extended to 32 bits.
inline u32 SignExtendByte(u32 value)
{
    return static_cast<u32>(static_cast<i32>(static_cast<i8>(static_cast<u8>(value))));
}
// Reads a byte-wide setting; the stored value's low byte.
u8 LoadByte(HKEY key, const wchar16* name, u8 current, u8 factory);
// Writes a byte-wide setting when it differs from its factory value (as bytes).
void SaveByte(HKEY key, const wchar16* name, u8 value, u8 factory);
