// Where the toolbar's buttons lie: in a row in the attached toolbar, at their stored
// rectangles in the floating bar, and how the floating bar lays them out again when
// the user resizes it.
#pragma once

#include "terminal/input/bars/toolbarmodel.h"

// The rectangle of button `index` in the attached toolbar: each button small, the row
// starting at the first button's spacing, every next one after its own spacing.
ToolbarRect AttachedButtonRect(const ToolbarTables& tables, int index, ToolbarSize small);
// The button under (x, y) in the attached toolbar (`attached`) or the floating bar, or -1.
int HitToolbarButton(const ToolbarTables& tables, bool attached, i32 x, i32 y, ToolbarSize small);
// The face size a button's width selects: 0 small, 1 medium, 2 large, -1 none.
int ToolbarFaceIndex(i32 width, const ToolbarFaceSizes& faces);

// The floating bar resized by the user to a client area of `client`, from `previous`
// (the stored client size). When the height changed more than the width, rows of
// buttons as many as fit the height decide the width (never below `minimumWidth`);
// otherwise the new width does. The buttons are laid out again in rows and the client
// size they need is returned.
ToolbarSize ReflowFloatingButtons(ToolbarTables& tables, ToolbarSize client, ToolbarSize previous,
                                  i32 minimumWidth);
