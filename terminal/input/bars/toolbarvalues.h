// The "Toolbar" section's values that describe buttons and the floating bar's place:
// "Floating", and the "Defns" and "Actions" subkeys, read and written on keys the
// caller opened (the bitmaps named in "Buttons" are loaded by the platform side).
#pragma once

#include "terminal/input/bars/toolbarmodel.h"
#include "terminal/core/base/registry.h"

// "Floating": 4 units {left, top, right, bottom} in screen coordinates. The units are
// signed, so a bar saved partly off the left or top of the screen comes back there
// rather than 65,000 pixels away. False (and `rect` untouched) unless exactly 4 units.
bool ReadFloatingRect(HKEY section, ToolbarRect& rect);
void WriteFloatingRect(HKEY section, const ToolbarRect& rect);

// Buttons 0-63 from "Defns" (values "0".."63" of 7 units {spacing, left, top, right,
// bottom, image, action}) with their texts from "Actions". The button count becomes
// the highest button read + 1 (0 when none is).
void ReadToolbarButtons(ToolbarTables& tables, HKEY defns, HKEY actions);
void WriteToolbarButtons(const ToolbarTables& tables, HKEY defns, HKEY actions);
