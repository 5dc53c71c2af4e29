// The Attributes page's screen-element lists of the Wyse family: "Normal" to
// "IV+FL+DI+UL" over the embedded colour set, and the WY60's 32 with the hidden ones.
#pragma once

#include "terminal/core/base/vxtypes.h"

struct AttributeElementList;

const AttributeElementList* WyseAttributeList(u8 emulation);
void WyseDefaultColoursToCopy();
