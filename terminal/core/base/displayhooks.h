// What each emulation family with a screen of its own hands the painting, geometry,
// scroll bar and status bar code. The dispatchers test the families in the order each
// service fixes and call the first active one's hook; entries a family does not have
// stay null and that step is skipped. While no family is active, the shared screen
// store is painted by the generic painters.
#pragma once

#include "terminal/core/base/emuhooks.h"
#include "terminal/core/base/vxtypes.h"

struct ScreenCell;

struct FamilyDisplayHooks {
    // Repaints rows r0..r1, columns c0..c1 (the family clamps them itself).
    void (*repaintRegion)(int r0, int c0, int r1, int c1) = nullptr;
    // Paints one row segment; `cells` as PaintRowSegment gets them.
    void (*paintRow)(const ScreenCell* cells, int row, int c0, int c1, u8 lineFlags) = nullptr;
    // Draws or erases the family's own cursor (the argument of ToggleTextCursor).
    void (*drawCursor)(int argument) = nullptr;
    // Rows the family adds below its screen, and extra pixels.
    int (*extraRows)(int* extraPixels) = nullptr;
    // Columns of the terminal area.
    int (*columns)() = nullptr;
    // Palette index of the screen background.
    int (*backgroundIndex)() = nullptr;
    // The scroll bar: range maximum, thumb position, and a scroll command.
    int (*scrollRangeMax)() = nullptr;
    int (*scrollThumb)() = nullptr;
    void (*scroll)(int code, int position) = nullptr;
    // Lays out the status bar for the family.
    void (*statusLayout)() = nullptr;
};

FamilyDisplayHooks& DisplayHooksOf(HookFamily family);
